#include "geodesy/ForwardProjection.hpp"

#include "geodesy/FloatingPoint.hpp"
#include "geodesy/Int16.hpp"
#include "geodesy/Modn.hpp"
#include "geodesy/Power.hpp"
#include "geodesy/Rounding.hpp"

#include <cmath>

namespace korvane {

namespace {

// p's unit is 10,000 seconds of arc; these powers of it belong to K4, K2, K5 and K3.
constexpr double kDegreesToPUnits = 0.36;

// What the series needs of an ellipsoid: the same for every point on it.
struct Ellipsoid {
    double a;
    double e;                // first eccentricity
    double secondEccSquared; // e'^2
    double n;
    MeridianArcCoefficients arc;
    double sinOneSecondSquared;
    double sinOneSecondToTheFourth;
    double secondEccToTheFourth; // e'^4
};

Ellipsoid ComputeEllipsoid(const DatumEntry& datum) {
    const double a = datum.a;
    const double b = datum.b;
    Ellipsoid ellipsoid{};
    ellipsoid.a = a;
    ellipsoid.e = Finite(Power(1 - Power(b / a, 2), 0.5), "forward step 4 (eccentricity)");
    ellipsoid.secondEccSquared = Finite(Power(ellipsoid.e, 2) / (1 - Power(ellipsoid.e, 2)),
                                        "forward step 5 (second eccentricity)");
    ellipsoid.n = Finite((a - b) / (a + b), "forward step 6 (n)");
    ellipsoid.arc = ArcCoefficients(a, ellipsoid.n);
    ellipsoid.sinOneSecondSquared = Power(SinOneSecond, 2);
    ellipsoid.sinOneSecondToTheFourth = Power(SinOneSecond, 4);
    ellipsoid.secondEccToTheFourth = Power(ellipsoid.secondEccSquared, 2);
    return ellipsoid;
}

// The ellipsoid's values are computed once for a run of points on the same datum, by the same
// steps as for a single point, so a batch gives exactly what one conversion gives.
const Ellipsoid& EllipsoidOf(const DatumEntry& datum) {
    thread_local Ellipsoid cached{};
    thread_local double cachedA = 0;
    thread_local double cachedB = 0;
    if (cached.a == 0 || cachedA != datum.a || cachedB != datum.b) {
        cached = ComputeEllipsoid(datum);
        cachedA = datum.a;
        cachedB = datum.b;
    }
    return cached;
}

double RadiusAcrossMeridian(const Ellipsoid& ellipsoid, double phi) {
    return Finite(ellipsoid.a / Power(1 - Power(ellipsoid.e * std::sin(phi), 2), 0.5),
                  "forward step 7 (nu)");
}

SeriesCoefficients Coefficients(const Ellipsoid& ellipsoid, double phi) {
    const double nu = RadiusAcrossMeridian(ellipsoid, phi);
    const auto& arc = ellipsoid.arc;
    const double sinTwoPhi = std::sin(2 * phi);
    const double meridianArc = Finite(arc.a * phi - arc.b * sinTwoPhi + arc.c * std::sin(4 * phi) -
                                          arc.d * std::sin(6 * phi) + arc.e * std::sin(8 * phi),
                                      "forward step 9 (meridian arc)");

    const double s = SinOneSecond;
    const double ep2 = ellipsoid.secondEccSquared;
    const double sinPhi = std::sin(phi);
    const double cosPhi = std::cos(phi);
    const double tanSquared = Power(std::tan(phi), 2);
    const double cosSquared = Power(cosPhi, 2);

    SeriesCoefficients k;
    k.k1 = Finite(meridianArc * kScaleFactor, "forward step 11 (K1)");
    k.k2 = Finite(ellipsoid.sinOneSecondSquared * (nu * sinTwoPhi / 2) * kScaleFactor * 1e8 / 2,
                  "forward step 12 (K2)");
    k.k3 = Finite(ellipsoid.sinOneSecondToTheFourth * nu * sinPhi * Power(cosPhi, 3) / 24 *
                      (5 - tanSquared + 9 * ep2 * cosSquared +
                       4 * ellipsoid.secondEccToTheFourth * Power(cosPhi, 4)) *
                      kScaleFactor * 1e16,
                  "forward step 13 (K3)");
    k.k4 = Finite(nu * cosPhi * s * kScaleFactor * 10000, "forward step 14 (K4)");
    k.k5 = Finite(Power(s * cosPhi, 3) * nu / 6 * (1 - tanSquared + ep2 * cosSquared) *
                      kScaleFactor * 1e12,
                  "forward step 15 (K5)");
    return k;
}

} // namespace

ZoneAndMeridian ZoneOfLongitude(double longitude) {
    const std::int16_t zone = RoundToInt16(Int(longitude / 6) + 31, "forward step 1 (zone)");
    return {zone, CentralMeridian(zone)};
}

std::int16_t CentralMeridian(std::int16_t zone) {
    const std::int16_t product = CheckedInt16(6LL * zone, "central meridian");
    return CheckedInt16(product - 183LL, "central meridian");
}

MeridianArcCoefficients ArcCoefficients(double a, double n) {
    MeridianArcCoefficients arc;
    arc.a = a * (1 - n + 5.0 / 4 * Power(n, 2) * (1 - n) + 81.0 / 64 * Power(n, 4) * (1 - n));
    // The n^4 term of B' and the n^2 term of D' carry no factor (1 - n).
    arc.b = 3 * a * n / 2 * (1 - n + 7.0 / 8 * Power(n, 2) * (1 - n) + 55.0 / 64 * Power(n, 4));
    arc.c = 15 * a * Power(n, 2) / 16 * (1 - n + 3.0 / 4 * Power(n, 2) * (1 - n));
    arc.d = 35 * a * Power(n, 3) / 48 * (1 - n + 11.0 / 16 * Power(n, 2));
    arc.e = 315 * a * Power(n, 4) / 512 * (1 - n);
    Finite(arc.a + arc.b + arc.c + arc.d + arc.e, "forward step 8 (arc coefficients)");
    return arc;
}

SeriesCoefficients ForwardCoefficients(double latitude, const DatumEntry& datum) {
    return Coefficients(EllipsoidOf(datum), latitude * RadiansPerDegree);
}

UtmProjection ProjectToUtm(const GeodeticPosition& position, Hemisphere hemisphere,
                           const DatumEntry& datum) {
    return ProjectToUtmZone(position, hemisphere, datum, ZoneOfLongitude(position.longitude));
}

UtmProjection ProjectToUtmZone(const GeodeticPosition& position, Hemisphere hemisphere,
                               const DatumEntry& datum, ZoneAndMeridian zoneAndMeridian) {
    const auto [zone, centralMeridian] = zoneAndMeridian;
    const double phi = position.latitude * RadiansPerDegree;
    const double lambda = position.longitude * RadiansPerDegree;
    const auto k = Coefficients(EllipsoidOf(datum), phi);

    const double p = (lambda / RadiansPerDegree - centralMeridian) * kDegreesToPUnits;
    double northing =
        Finite(k.k1 + k.k2 * Power(p, 2) + k.k3 * Power(p, 4), "forward step 16 (northing)");
    if (hemisphere == Hemisphere::South) {
        northing += kFalseNorthing;
    }
    const double easting =
        Finite(k.k4 * p + k.k5 * Power(p, 3) + kFalseEasting, "forward step 17 (easting)");

    UtmProjection result;
    result.utm = {zone, hemisphere, RoundToHundredths(easting), RoundToHundredths(northing)};
    result.centralMeridian = centralMeridian;
    return result;
}

} // namespace korvane
