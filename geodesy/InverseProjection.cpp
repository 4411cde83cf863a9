#include "geodesy/InverseProjection.hpp"

#include "geodesy/FloatingPoint.hpp"
#include "geodesy/ForwardProjection.hpp"
#include "geodesy/Power.hpp"

#include <cmath>

namespace korvane {

// The inverse keeps its own conversion factors rather than the window's RadiansPerDegree.
constexpr double kPi = 3.14159265358979;
constexpr double kDegreesPerRadian = 57.2957795130823;

std::int16_t InverseCentralMeridian(std::int16_t zone) {
    const std::int16_t centralMeridian = CentralMeridian(zone);
    return zone < 0 ? std::int16_t{3} : centralMeridian;
}

namespace {

// What the series needs of an ellipsoid: the same for every point on it.
struct Ellipsoid {
    double a = 0;
    double e = 0;
    double eSquared = 0;
    double secondEccSquared = 0;
    double rectifyingRadius = 0; // a * (1 - e^2/4 - 3e^4/64 - 5e^6/256)
    double e1 = 0;
    double j1 = 0, j2 = 0, j3 = 0, j4 = 0;
};

Ellipsoid ComputeEllipsoid(const DatumEntry& datum) {
    const double a = datum.a;
    const double b = datum.b;
    Ellipsoid ellipsoid;
    ellipsoid.a = a;
    ellipsoid.e = Finite(Power(1 - Power(b / a, 2), 0.5), "inverse step 3 (eccentricity)");
    const double e2 = Power(ellipsoid.e, 2);
    ellipsoid.eSquared = e2;
    ellipsoid.secondEccSquared = Finite(e2 / (1 - e2), "inverse step 3 (second eccentricity)");
    ellipsoid.rectifyingRadius =
        a * (1 - e2 / 4 - 3 * Power(ellipsoid.e, 4) / 64 - 5 * Power(ellipsoid.e, 6) / 256);
    const double root = Power(1 - e2, 0.5);
    const double e1 = Finite((1 - root) / (1 + root), "inverse step 6 (e1)");
    ellipsoid.e1 = e1;
    ellipsoid.j1 = 3 * e1 / 2 - 27 * Power(e1, 3) / 32;
    ellipsoid.j2 = 21 * Power(e1, 2) / 16 - 55 * Power(e1, 4) / 32;
    ellipsoid.j3 = 151 * Power(e1, 3) / 96;
    ellipsoid.j4 = 1097 * Power(e1, 4) / 512;
    Finite(ellipsoid.j1 + ellipsoid.j2 + ellipsoid.j3 + ellipsoid.j4,
           "inverse step 7 (series coefficients)");
    return ellipsoid;
}

// Computed once for a run of points on the same datum, by the same steps as for one point.
const Ellipsoid& EllipsoidOf(const DatumEntry& datum) {
    thread_local Ellipsoid cached;
    thread_local double cachedB = 0;
    if (cached.a == 0 || cached.a != datum.a || cachedB != datum.b) {
        cached = ComputeEllipsoid(datum);
        cachedB = datum.b;
    }
    return cached;
}

} // namespace

InverseSteps InverseSeries(const UtmCoordinate& utm, const DatumEntry& datum) {
    InverseSteps s;
    s.centralMeridian = InverseCentralMeridian(utm.zone);
    s.y = utm.hemisphere == Hemisphere::South ? kFalseNorthing - utm.northing : utm.northing;
    Finite(s.y, "inverse step 2 (northing from the equator)");

    const Ellipsoid& ellipsoid = EllipsoidOf(datum);
    const double a = ellipsoid.a;
    const double e2 = ellipsoid.eSquared;
    s.e = ellipsoid.e;
    s.secondEccSquared = ellipsoid.secondEccSquared;
    s.m = Finite(s.y / kScaleFactor, "inverse step 4 (meridian distance)");
    s.mu = Finite(s.m / ellipsoid.rectifyingRadius, "inverse step 5 (rectifying latitude)");
    s.e1 = ellipsoid.e1;
    s.j1 = ellipsoid.j1;
    s.j2 = ellipsoid.j2;
    s.j3 = ellipsoid.j3;
    s.j4 = ellipsoid.j4;
    s.phi1 = Finite(s.mu + s.j1 * std::sin(2 * s.mu) + s.j2 * std::sin(4 * s.mu) +
                        s.j3 * std::sin(6 * s.mu) + s.j4 * std::sin(8 * s.mu),
                    "inverse step 8 (footpoint latitude)");

    const double sinPhi1 = std::sin(s.phi1);
    const double cosPhi1 = std::cos(s.phi1);
    const double tanPhi1 = std::tan(s.phi1);
    s.c1 = Finite(s.secondEccSquared * Power(cosPhi1, 2), "inverse step 9 (C1)");
    s.t1 = Finite(Power(tanPhi1, 2), "inverse step 9 (T1)");
    const double curvatureTerm = 1 - Power(s.e * sinPhi1, 2);
    s.n1 = Finite(a / Power(curvatureTerm, 0.5), "inverse step 9 (N1)");
    s.r1 = Finite(a * (1 - e2) / Power(curvatureTerm, 1.5), "inverse step 9 (R1)");
    s.d = Finite((kFalseEasting - utm.easting) / (s.n1 * kScaleFactor), "inverse step 10 (D)");

    const double ep2 = s.secondEccSquared;
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

GeodeticPosition ProjectFromUtm(const UtmCoordinate& utm, const DatumEntry& datum) {
    const InverseSteps steps = InverseSeries(utm, datum);
    const double latitude =
        utm.hemisphere == Hemisphere::South ? -steps.latitudeDegrees : steps.latitudeDegrees;
    return {latitude, steps.longitudeDegrees};
}

} // namespace korvane
