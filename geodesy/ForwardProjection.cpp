#include "geodesy/ForwardProjection.hpp"

#include "geodesy/Failure.hpp"
#include "geodesy/FloatingPoint.hpp"
#include "geodesy/Int16.hpp"
#include "geodesy/Modn.hpp"
#include "geodesy/Power.hpp"
#include "geodesy/Rounding.hpp"

#include <cmath>
#include <optional>

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

// The sines, cosine and tangent the series takes of the latitude phi.
struct LatitudeFunctions {
    double sinPhi;
    double cosPhi;
    double tanPhi;
    double sinTwoPhi;
    double sinFourPhi;
    double sinSixPhi;
    double sinEightPhi;
};

// The series' arithmetic as the method states it: the maths library's pow, sin, cos and tan.
struct LibraryArithmetic {
    static double PowerOf(double x, double y) { return Power(x, y); }

    static LatitudeFunctions FunctionsOf(double phi) {
        return {std::sin(phi),     std::cos(phi),     std::tan(phi),    std::sin(2 * phi),
                std::sin(4 * phi), std::sin(6 * phi), std::sin(8 * phi)};
    }
};

// The same values far sooner: powers as plain products and a square root, and everything else
// from one sine and cosine by the multiple-angle identities. Each value is within a few units in
// the last place of the library's, and making sure of the library's last bit costs more than the
// whole series.
struct QuickArithmetic {
    static double PowerOf(double x, double y) {
        if (y == 2) {
            return x * x;
        }
        if (y == 3) {
            return x * x * x;
        }
        if (y == 4) {
            return (x * x) * (x * x);
        }
        if (y == 0.5) {
            return std::sqrt(x);
        }
        return Power(x, y);
    }

    static LatitudeFunctions FunctionsOf(double phi) {
        const double sinPhi = std::sin(phi);
        const double cosPhi = std::cos(phi);
        const double sinTwoPhi = 2 * sinPhi * cosPhi;
        const double cosTwoPhi = 1 - 2 * sinPhi * sinPhi;
        const double sinFourPhi = 2 * sinTwoPhi * cosTwoPhi;
        const double cosFourPhi = 1 - 2 * sinTwoPhi * sinTwoPhi;
        return {sinPhi,
                cosPhi,
                sinPhi / cosPhi,
                sinTwoPhi,
                sinFourPhi,
                sinFourPhi * cosTwoPhi + cosFourPhi * sinTwoPhi,
                2 * sinFourPhi * cosFourPhi};
    }
};

template <class Arithmetic>
SeriesCoefficients Coefficients(const Ellipsoid& ellipsoid, double phi) {
    const auto PowerOf = Arithmetic::PowerOf;
    const LatitudeFunctions f = Arithmetic::FunctionsOf(phi);
    const double nu = Finite(ellipsoid.a / PowerOf(1 - PowerOf(ellipsoid.e * f.sinPhi, 2), 0.5),
                             "forward step 7 (nu)");
    const auto& arc = ellipsoid.arc;
    const double meridianArc = Finite(arc.a * phi - arc.b * f.sinTwoPhi + arc.c * f.sinFourPhi -
                                          arc.d * f.sinSixPhi + arc.e * f.sinEightPhi,
                                      "forward step 9 (meridian arc)");

    const double s = SinOneSecond;
    const double ep2 = ellipsoid.secondEccSquared;
    const double cosPhi = f.cosPhi;
    const double tanSquared = PowerOf(f.tanPhi, 2);
    const double cosSquared = PowerOf(cosPhi, 2);

    SeriesCoefficients k;
    k.k1 = Finite(meridianArc * kScaleFactor, "forward step 11 (K1)");
    k.k2 = Finite(ellipsoid.sinOneSecondSquared * (nu * f.sinTwoPhi / 2) * kScaleFactor * 1e8 / 2,
                  "forward step 12 (K2)");
    k.k3 = Finite(ellipsoid.sinOneSecondToTheFourth * nu * f.sinPhi * PowerOf(cosPhi, 3) / 24 *
                      (5 - tanSquared + 9 * ep2 * cosSquared +
                       4 * ellipsoid.secondEccToTheFourth * PowerOf(cosPhi, 4)) *
                      kScaleFactor * 1e16,
                  "forward step 13 (K3)");
    k.k4 = Finite(nu * cosPhi * s * kScaleFactor * 10000, "forward step 14 (K4)");
    k.k5 = Finite(PowerOf(s * cosPhi, 3) * nu / 6 * (1 - tanSquared + ep2 * cosSquared) *
                      kScaleFactor * 1e12,
                  "forward step 15 (K5)");
    return k;
}

// Northing and easting before rounding.
template <class Arithmetic>
GridPoint Series(const GeodeticPosition& position, Hemisphere hemisphere, const DatumEntry& datum,
                 std::int16_t centralMeridian) {
    const double phi = position.latitude * RadiansPerDegree;
    const double lambda = position.longitude * RadiansPerDegree;
    const auto k = Coefficients<Arithmetic>(EllipsoidOf(datum), phi);
    const auto PowerOf = Arithmetic::PowerOf;

    const double p = (lambda / RadiansPerDegree - centralMeridian) * kDegreesToPUnits;
    double northing =
        Finite(k.k1 + k.k2 * PowerOf(p, 2) + k.k3 * PowerOf(p, 4), "forward step 16 (northing)");
    if (hemisphere == Hemisphere::South) {
        northing += kFalseNorthing;
    }
    const double easting =
        Finite(k.k4 * p + k.k5 * PowerOf(p, 3) + kFalseEasting, "forward step 17 (easting)");
    return {easting, northing};
}

GridPoint RoundedToHundredths(GridPoint point) {
    return {RoundToHundredths(point.easting), RoundToHundredths(point.northing)};
}

// Whether value lies more than margin away from every point where its rounding to hundredths
// changes, so that any value within margin of it rounds the same: within half a hundredth of its
// rounded value by more than margin. Below 1e9 the rounded value is off its hundredth by far less
// than the margin.
bool RoundsAlikeWithin(double value, double rounded, double margin) {
    return std::fabs(value) < 1e9 && std::fabs(value - rounded) < 0.005 - margin;
}

// The series with quick arithmetic, rounded, when that is surely what the library's arithmetic
// rounds to: only inside the zone, where the drift bound holds, and away from every rounding
// point.
std::optional<GridPoint> QuickRoundedSeries(const GeodeticPosition& position, Hemisphere hemisphere,
                                            const DatumEntry& datum, std::int16_t centralMeridian) {
    if (!(std::fabs(position.longitude - centralMeridian) <= 3)) {
        return std::nullopt;
    }
    try {
        const GridPoint quick =
            Series<QuickArithmetic>(position, hemisphere, datum, centralMeridian);
        const GridPoint rounded = RoundedToHundredths(quick);
        if (RoundsAlikeWithin(quick.easting, rounded.easting, kQuickSeriesDrift) &&
            RoundsAlikeWithin(quick.northing, rounded.northing, kQuickSeriesDrift)) {
            return rounded;
        }
    } catch (const FloatingPointFailure&) {
        // The series with the library's arithmetic decides what fails, and how.
    }
    return std::nullopt;
}

} // namespace

ZoneAndMeridian ZoneOfLongitude(double longitude) {
    // Int(...) + 31 is whole, or not a number, which the range check rejects as rounding would.
    const std::int16_t zone = WholeToInt16(Int(longitude / 6) + 31, "forward step 1 (zone)");
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
    return Coefficients<LibraryArithmetic>(EllipsoidOf(datum), latitude * RadiansPerDegree);
}

GridPoint UnroundedSeries(const GeodeticPosition& position, Hemisphere hemisphere,
                          const DatumEntry& datum, std::int16_t centralMeridian,
                          SeriesArithmetic arithmetic) {
    return arithmetic == SeriesArithmetic::Quick
               ? Series<QuickArithmetic>(position, hemisphere, datum, centralMeridian)
               : Series<LibraryArithmetic>(position, hemisphere, datum, centralMeridian);
}

UtmProjection ProjectToUtm(const GeodeticPosition& position, Hemisphere hemisphere,
                           const DatumEntry& datum) {
    return ProjectToUtmZone(position, hemisphere, datum, ZoneOfLongitude(position.longitude));
}

UtmProjection ProjectToUtmZone(const GeodeticPosition& position, Hemisphere hemisphere,
                               const DatumEntry& datum, ZoneAndMeridian zoneAndMeridian) {
    const auto [zone, centralMeridian] = zoneAndMeridian;
    const auto quick = QuickRoundedSeries(position, hemisphere, datum, centralMeridian);
    const GridPoint rounded = quick ? *quick
                                    : RoundedToHundredths(Series<LibraryArithmetic>(
                                          position, hemisphere, datum, centralMeridian));
    UtmProjection result;
    result.utm = {zone, hemisphere, rounded.easting, rounded.northing};
    result.centralMeridian = centralMeridian;
    return result;
}

} // namespace korvane
