#pragma once

// The inverse series step by step, written once over two kinds of arithmetic. For the inverse
// projection, its tests and the benchmarks; the layers above call ProjectFromUtm or
// ProjectFromUtmForTexts.

#include "geodesy/Coordinates.hpp"
#include "geodesy/FloatingPoint.hpp"
#include "geodesy/InverseTerms.hpp"
#include "geodesy/SeriesArithmetic.hpp"

#include <cmath>
#include <cstdint>

namespace korvane {

// The inverse's own conversion factors (InverseProjection.cpp says why).
inline constexpr double kInversePi = 3.14159265358979;
inline constexpr double kDegreesPerRadian = 57.2957795130823;

// Every named value of the footpoint-latitude series, in the order it is computed.
struct InverseSteps {
    double y = 0; // northing from the equator
    double m = 0;
    double mu = 0;
    double phi1 = 0;
    double c1 = 0, t1 = 0, n1 = 0, r1 = 0;
    double d = 0;
    double phi = 0;
    double latitudeDegrees = 0; // from the equator towards the chosen hemisphere
    double longitudeDegrees = 0;
};

// The series from step 2 on, in the zone whose central meridian the caller has worked out.
template <class Arithmetic>
InverseSteps InverseSeries(const UtmCoordinate& utm, const InverseTerms& terms,
                           std::int16_t centralMeridian) {
    const auto PowerOf = Arithmetic::PowerOf;
    InverseSteps s;
    s.y = utm.hemisphere == Hemisphere::South ? kFalseNorthing - utm.northing : utm.northing;
    Finite(s.y, "inverse step 2 (northing from the equator)");

    const double a = terms.a;
    const double e2 = terms.eSquared;
    s.m = Finite(s.y / kScaleFactor, "inverse step 4 (meridian distance)");
    s.mu = Finite(s.m / terms.rectifyingRadius, "inverse step 5 (rectifying latitude)");
    const MultipleAngleSines sines = Arithmetic::MultiplesOf(s.mu);
    s.phi1 = Finite(s.mu + terms.j1 * sines.two + terms.j2 * sines.four + terms.j3 * sines.six +
                        terms.j4 * sines.eight,
                    "inverse step 8 (footpoint latitude)");

    const SineCosineTangent phi1 = Arithmetic::AnglesOf(s.phi1);
    s.c1 = Finite(terms.secondEccSquared * PowerOf(phi1.cosine, 2), "inverse step 9 (C1)");
    s.t1 = Finite(PowerOf(phi1.tangent, 2), "inverse step 9 (T1)");
    const double curvatureTerm = 1 - PowerOf(terms.e * phi1.sine, 2);
    s.n1 = Finite(a / PowerOf(curvatureTerm, 0.5), "inverse step 9 (N1)");
    s.r1 = Finite(a * (1 - e2) / PowerOf(curvatureTerm, 1.5), "inverse step 9 (R1)");
    s.d = Finite((kFalseEasting - utm.easting) / (s.n1 * kScaleFactor), "inverse step 10 (D)");

    const double ep2 = terms.secondEccSquared;
    const double q1 = s.n1 * phi1.tangent / s.r1;
    const double q2 = PowerOf(s.d, 2) / 2;
    const double c1Squared = PowerOf(s.c1, 2);
    const double t1Squared = PowerOf(s.t1, 2);
    const double q3 = (5 + 3 * s.t1 + 10 * s.c1 - 4 * c1Squared - 9 * ep2) * PowerOf(s.d, 4) / 24;
    const double q4 = (61 + 90 * s.t1 + 298 * s.c1 + 45 * t1Squared - 252 * ep2 - 3 * c1Squared) *
                      PowerOf(s.d, 6) / 720;
    Finite(q1 + q2 + q3 + q4, "inverse step 11 (latitude terms)");
    s.phi = Finite(s.phi1 - q1 * (q2 - q3 + q4), "inverse step 12 (latitude)");
    s.latitudeDegrees = Finite(s.phi * 180 / kInversePi, "inverse step 13 (latitude in degrees)");

    const double q5 = s.d;
    const double q6 = (1 + 2 * s.t1 + s.c1) * PowerOf(s.d, 3) / 6;
    const double q7 = (5 - 2 * s.c1 + 28 * s.t1 - 3 * c1Squared + 8 * ep2 + 24 * t1Squared) *
                      PowerOf(s.d, 5) / 120;
    s.longitudeDegrees =
        Finite(centralMeridian - ((q5 - q6 + q7) / phi1.cosine) * kDegreesPerRadian,
               "inverse step 14 (longitude)");
    return s;
}

} // namespace korvane
