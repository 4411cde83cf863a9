#pragma once

// The forward series written once over two kinds of arithmetic. For the forward projection, its
// tests and the benchmarks; the layers above call ProjectToUtm.

#include "geodesy/Coordinates.hpp"
#include "geodesy/FloatingPoint.hpp"
#include "geodesy/ForwardTerms.hpp"
#include "geodesy/Power.hpp"
#include "geodesy/SeriesArithmetic.hpp"

#include <cmath>

namespace korvane {

// The coefficients K1 to K5 of the northing and easting polynomials in p.
struct SeriesCoefficients {
    double k1 = 0;
    double k2 = 0;
    double k3 = 0;
    double k4 = 0;
    double k5 = 0;
};

template <class Arithmetic> SeriesCoefficients Coefficients(const ForwardTerms& terms, double phi) {
    const auto PowerOf = Arithmetic::PowerOf;
    const auto Over = Arithmetic::Over;
    const LatitudeFunctions f = Arithmetic::FunctionsOf(phi);
    const double nu =
        Finite(terms.a / PowerOf(1 - PowerOf(terms.e * f.sinPhi, 2), 0.5), "forward step 7 (nu)");
    const auto& arc = terms.arc;
    const double meridianArc = Finite(arc.a * phi - arc.b * f.sinTwoPhi + arc.c * f.sinFourPhi -
                                          arc.d * f.sinSixPhi + arc.e * f.sinEightPhi,
                                      "forward step 9 (meridian arc)");

    const double s = SinOneSecond;
    const double ep2 = terms.secondEccSquared;
    const double cosPhi = f.cosPhi;
    const double tanSquared = PowerOf(f.tanPhi, 2);
    const double cosSquared = PowerOf(cosPhi, 2);

    SeriesCoefficients k;
    k.k1 = Finite(meridianArc * kScaleFactor, "forward step 11 (K1)");
    k.k2 = Finite(terms.sinOneSecondSquared * (nu * f.sinTwoPhi / 2) * kScaleFactor * 1e8 / 2,
                  "forward step 12 (K2)");
    k.k3 = Finite(Over(terms.sinOneSecondToTheFourth * nu * f.sinPhi * PowerOf(cosPhi, 3), 24) *
                      (5 - tanSquared + 9 * ep2 * cosSquared +
                       4 * terms.secondEccToTheFourth * PowerOf(cosPhi, 4)) *
                      kScaleFactor * 1e16,
                  "forward step 13 (K3)");
    k.k4 = Finite(nu * cosPhi * s * kScaleFactor * 10000, "forward step 14 (K4)");
    k.k5 = Finite(Over(PowerOf(s * cosPhi, 3) * nu, 6) * (1 - tanSquared + ep2 * cosSquared) *
                      kScaleFactor * 1e12,
                  "forward step 15 (K5)");
    return k;
}

// Northing and easting before rounding to hundredths (the false northing added in the south).
struct GridPoint {
    double easting = 0;
    double northing = 0;
};

// p is the longitude from the central meridian in units of 10,000 seconds of arc: the northing is
// K1 + K2 p^2 + K3 p^4, the easting K4 p + K5 p^3.
inline constexpr double kDegreesToPUnits = 0.36;

template <class Arithmetic>
GridPoint Series(const GeodeticPosition& position, Hemisphere hemisphere, const ForwardTerms& terms,
                 std::int16_t centralMeridian) {
    const double phi = position.latitude * RadiansPerDegree;
    const double lambda = position.longitude * RadiansPerDegree;
    const auto k = Coefficients<Arithmetic>(terms, phi);
    const auto PowerOf = Arithmetic::PowerOf;

    const double p =
        (Arithmetic::Over(lambda, RadiansPerDegree) - centralMeridian) * kDegreesToPUnits;
    double northing =
        Finite(k.k1 + k.k2 * PowerOf(p, 2) + k.k3 * PowerOf(p, 4), "forward step 16 (northing)");
    if (hemisphere == Hemisphere::South) {
        northing += kFalseNorthing;
    }
    const double easting =
        Finite(k.k4 * p + k.k5 * PowerOf(p, 3) + kFalseEasting, "forward step 17 (easting)");
    return {easting, northing};
}

} // namespace korvane
