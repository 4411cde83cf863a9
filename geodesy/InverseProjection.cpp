#include "geodesy/InverseProjection.hpp"

#include "geodesy/FloatingPoint.hpp"
#include "geodesy/ForwardProjection.hpp"
#include "geodesy/InverseSeries.hpp"
#include "geodesy/Power.hpp"

#include <cmath>

namespace korvane {

namespace {

// The inverse keeps its own conversion factors rather than the forward's RadiansPerDegree.
constexpr double kPi = 3.14159265358979;
constexpr double kDegreesPerRadian = 57.2957795130823;

double E1(double eSquared) {
    const double root = Power(1 - eSquared, 0.5);
    return Finite((1 - root) / (1 + root), "inverse step 6 (e1)");
}

} // namespace

std::int16_t InverseCentralMeridian(std::int16_t zone) {
    const std::int16_t centralMeridian = CentralMeridian(zone);
    return zone < 0 ? std::int16_t{3} : centralMeridian;
}

InverseTerms::InverseTerms(const DatumEntry& datum)
    : a(datum.a),
      e(Finite(Power(1 - Power(datum.b / datum.a, 2), 0.5), "inverse step 3 (eccentricity)")),
      eSquared(Power(e, 2)),
      secondEccSquared(Finite(eSquared / (1 - eSquared), "inverse step 3 (second eccentricity)")),
      rectifyingRadius(a * (1 - eSquared / 4 - 3 * Power(e, 4) / 64 - 5 * Power(e, 6) / 256)),
      e1(E1(eSquared)), j1(3 * e1 / 2 - 27 * Power(e1, 3) / 32),
      j2(21 * Power(e1, 2) / 16 - 55 * Power(e1, 4) / 32), j3(151 * Power(e1, 3) / 96),
      j4(1097 * Power(e1, 4) / 512) {
    Finite(j1 + j2 + j3 + j4, "inverse step 7 (series coefficients)");
}

InverseSteps InverseSeries(const UtmCoordinate& utm, const InverseTerms& terms) {
    InverseSteps s;
    s.centralMeridian = InverseCentralMeridian(utm.zone);
    s.y = utm.hemisphere == Hemisphere::South ? kFalseNorthing - utm.northing : utm.northing;
    Finite(s.y, "inverse step 2 (northing from the equator)");

    const double a = terms.a;
    const double e2 = terms.eSquared;
    s.m = Finite(s.y / kScaleFactor, "inverse step 4 (meridian distance)");
    s.mu = Finite(s.m / terms.rectifyingRadius, "inverse step 5 (rectifying latitude)");
    s.phi1 = Finite(s.mu + terms.j1 * std::sin(2 * s.mu) + terms.j2 * std::sin(4 * s.mu) +
                        terms.j3 * std::sin(6 * s.mu) + terms.j4 * std::sin(8 * s.mu),
                    "inverse step 8 (footpoint latitude)");

    const double sinPhi1 = std::sin(s.phi1);
    const double cosPhi1 = std::cos(s.phi1);
    const double tanPhi1 = std::tan(s.phi1);
    s.c1 = Finite(terms.secondEccSquared * Power(cosPhi1, 2), "inverse step 9 (C1)");
    s.t1 = Finite(Power(tanPhi1, 2), "inverse step 9 (T1)");
    const double curvatureTerm = 1 - Power(terms.e * sinPhi1, 2);
    s.n1 = Finite(a / Power(curvatureTerm, 0.5), "inverse step 9 (N1)");
    s.r1 = Finite(a * (1 - e2) / Power(curvatureTerm, 1.5), "inverse step 9 (R1)");
    s.d = Finite((kFalseEasting - utm.easting) / (s.n1 * kScaleFactor), "inverse step 10 (D)");

    const double ep2 = terms.secondEccSquared;
    const double q1 = s.n1 * tanPhi1 / s.r1;
    const double q2 = Power(s.d, 2) / 2;
    const double c1Squared = Power(s.c1, 2);
    const double t1Squared = Power(s.t1, 2);
    const double q3 = (5 + 3 * s.t1 + 10 * s.c1 - 4 * c1Squared - 9 * ep2) * Power(s.d, 4) / 24;
    const double q4 = (61 + 90 * s.t1 + 298 * s.c1 + 45 * t1Squared - 252 * ep2 - 3 * c1Squared) *
                      Power(s.d, 6) / 720;
    Finite(q1 + q2 + q3 + q4, "inverse step 11 (latitude terms)");
    s.phi = Finite(s.phi1 - q1 * (q2 - q3 + q4), "inverse step 12 (latitude)");
    s.latitudeDegrees = Finite(s.phi * 180 / kPi, "inverse step 13 (latitude in degrees)");

    const double q5 = s.d;
    const double q6 = (1 + 2 * s.t1 + s.c1) * Power(s.d, 3) / 6;
    const double q7 =
        (5 - 2 * s.c1 + 28 * s.t1 - 3 * c1Squared + 8 * ep2 + 24 * t1Squared) * Power(s.d, 5) / 120;
    s.longitudeDegrees = Finite(s.centralMeridian - ((q5 - q6 + q7) / cosPhi1) * kDegreesPerRadian,
                                "inverse step 14 (longitude)");
    return s;
}

GeodeticPosition ProjectFromUtm(const UtmCoordinate& utm, const InverseTerms& terms) {
    const InverseSteps steps = InverseSeries(utm, terms);
    return {LatitudeTowards(utm.hemisphere, steps.latitudeDegrees), steps.longitudeDegrees};
}

} // namespace korvane
