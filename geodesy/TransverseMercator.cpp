#include "geodesy/TransverseMercator.hpp"

#include "geodesy/ConformalLatitude.hpp"
#include "geodesy/DegreeSineCosine.hpp"
#include "geodesy/Failure.hpp"
#include "geodesy/ValueText.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

// Sources: Krueger (1912); Karney (2011), whose eqs. 35 and 36 give the coefficients below.
// Deliberate departures from Karney's own code:
//  - no meridian convergence and scale, which the grid does not show;
//  - the sines and cosines of twice the Gauss-Schreiber coordinates come from the tangents by
//    algebra rather than by four more library calls, and those of the reverse from one sine and
//    cosine and one expm1;
//  - no "back side" beyond 90 degrees from the central meridian: the grid never goes there;
//  - the reverse's latitude from the conformal one by a series rather than Newton's method on
//    the tangents: within a few units in the last place (6 nm) of the Newton result, at half
//    the cost.

namespace korvane {

namespace {

constexpr int kOrder = 6;

// Each coefficient's polynomial in n, lowest power first (alpha_j and beta_j start at n^j).
// clang-format off
constexpr double kAlpha[kOrder][kOrder] = {
    {1.0 / 2, -2.0 / 3, 5.0 / 16, 41.0 / 180, -127.0 / 288, 7891.0 / 37800},
    {13.0 / 48, -3.0 / 5, 557.0 / 1440, 281.0 / 630, -1983433.0 / 1935360},
    {61.0 / 240, -103.0 / 140, 15061.0 / 26880, 167603.0 / 181440},
    {49561.0 / 161280, -179.0 / 168, 6601661.0 / 7257600},
    {34729.0 / 80640, -3418889.0 / 1995840},
    {212378941.0 / 319334400},
};
constexpr double kBeta[kOrder][kOrder] = {
    {1.0 / 2, -2.0 / 3, 37.0 / 96, -1.0 / 360, -81.0 / 512, 96199.0 / 604800},
    {1.0 / 48, 1.0 / 15, -437.0 / 1440, 46.0 / 105, -1118711.0 / 3870720},
    {17.0 / 480, -37.0 / 840, -209.0 / 4480, 5569.0 / 90720},
    {4397.0 / 161280, -11.0 / 504, -830251.0 / 7257600},
    {4583.0 / 161280, -108847.0 / 3991680},
    {20648693.0 / 638668800},
};
// The geodetic latitude from the conformal one, phi = chi + sum of c_j sin(2 j chi) (Krueger's
// series as Karney gives it in "On auxiliary latitudes", 2023): exact to n^7, some 1e-20 on the
// Earth, where Newton's method on the tangents takes three rounds of logarithms and
// exponentials.
constexpr double kConformalToGeodetic[kOrder][kOrder] = {
    {2, -2.0 / 3, -2, 116.0 / 45, 26.0 / 45, -2854.0 / 675},
    {7.0 / 3, -8.0 / 5, -227.0 / 45, 2704.0 / 315, 2323.0 / 945},
    {56.0 / 15, -136.0 / 35, -1262.0 / 105, 73814.0 / 2835},
    {4279.0 / 630, -332.0 / 35, -399572.0 / 14175},
    {4174.0 / 315, -144838.0 / 6237},
    {601676.0 / 22275},
};
// clang-format on

std::array<double, kOrder> Coefficients(const double (&table)[kOrder][kOrder], double n) {
    std::array<double, kOrder> coefficients{};
    double power = n; // n^j for coefficient j
    for (int j = 0; j < kOrder; ++j) {
        double sum = 0;
        for (int k = kOrder - 1 - j; k >= 0; --k) { // Horner, from the highest power
            sum = sum * n + table[j][k];
        }
        coefficients[static_cast<std::size_t>(j)] = sum * power;
        power *= n;
    }
    return coefficients;
}

double GridRadius(const EllipsoidShape& ellipsoid, double scale) {
    const double n2 = ellipsoid.n * ellipsoid.n;
    return CheckedScale(scale, "transverse Mercator terms") * ellipsoid.a / (1 + ellipsoid.n) *
           (1 + n2 * (1.0 / 4 + n2 * (1.0 / 64 + n2 / 256)));
}

// The complex sum S = sum of c_j sin(2 j zeta) by Clenshaw's recurrence, written out in reals:
// b_j = 2 cos(2 zeta) b_(j+1) - b_(j+2) + c_j, and S = b_1 sin(2 zeta). The complex sine and
// cosine of 2 zeta come in as their parts.
struct Complex {
    double re;
    double im;
};

[[gnu::always_inline]] inline Complex ClenshawSum(const std::array<double, kOrder>& c,
                                                  Complex sinTwoZeta, Complex cosTwoZeta) {
    const double ar = 2 * cosTwoZeta.re;
    const double ai = 2 * cosTwoZeta.im;
    double b1r = 0, b1i = 0; // b_(j+1)
    double b2r = 0, b2i = 0; // b_(j+2)
    for (int j = kOrder - 1; j >= 0; --j) {
        const double br = ar * b1r - ai * b1i - b2r + c[static_cast<std::size_t>(j)];
        const double bi = ai * b1r + ar * b1i - b2i;
        b2r = b1r;
        b2i = b1i;
        b1r = br;
        b1i = bi;
    }
    return {sinTwoZeta.re * b1r - sinTwoZeta.im * b1i, sinTwoZeta.re * b1i + sinTwoZeta.im * b1r};
}

} // namespace

TransverseMercatorTerms::TransverseMercatorTerms(const EllipsoidShape& ellipsoid, double scale)
    : eccentricity(ellipsoid.eccentricity), gridRadius(GridRadius(ellipsoid, scale)),
      alpha(Coefficients(kAlpha, ellipsoid.n)), beta(Coefficients(kBeta, ellipsoid.n)),
      conformalToGeodetic(Coefficients(kConformalToGeodetic, ellipsoid.n)) {}

TransverseMercatorPoint TransverseMercatorForward(const TransverseMercatorTerms& terms,
                                                  double latitude,
                                                  double longitudeFromCentralMeridian) {
    if (!(std::fabs(latitude) <= 90)) {
        throw InvalidArgumentFailure("transverse Mercator",
                                     "latitude " + ValueText(latitude) + " is outside -90 to 90");
    }
    if (!(std::fabs(longitudeFromCentralMeridian) <= 90)) {
        throw InvalidArgumentFailure("transverse Mercator",
                                     "longitude " + ValueText(longitudeFromCentralMeridian) +
                                         " from the central meridian is outside -90 to 90");
    }
    // The projection is odd in each coordinate: the series works on the north-east quarter.
    const double latitudeSign = std::signbit(latitude) ? -1 : 1;
    const double longitudeSign = std::signbit(longitudeFromCentralMeridian) ? -1 : 1;
    const auto [sinLambda, cosLambda] =
        SineCosineOfDegrees(std::fabs(longitudeFromCentralMeridian));
    // Gauss-Schreiber coordinates xi' = atan2(t', cos l) and eta' = asinh(sin l / h), with
    // t' the conformal latitude's tangent and h = sqrt(t'^2 + cos^2 l); the sines and cosines
    // of their doubles follow from t', sin l and cos l alone.
    double xiPrime = std::numbers::pi / 2;
    double etaPrime = 0;
    Complex sinTwo{0, 0};
    Complex cosTwo{-1, 0};
    if (std::fabs(latitude) != 90) {
        const auto [sinPhi, cosPhi] = SineCosineOfDegrees(std::fabs(latitude));
        const double t = ConformalTangent(sinPhi / cosPhi, terms.eccentricity);
        const double h2 = t * t + cosLambda * cosLambda;
        if (h2 == 0) {
            // The equator 90 degrees from the central meridian, where the projection goes to
            // infinity (and the series diverges well before).
            throw InvalidArgumentFailure("transverse Mercator",
                                         "the equator 90 degrees from the central meridian "
                                         "has no finite projection");
        }
        const double h = std::sqrt(h2);
        xiPrime = std::atan2(t, cosLambda);
        etaPrime = std::asinh(sinLambda / h);
        const double secant = std::sqrt(1 + t * t); // cosh(eta') h
        // sin(2 zeta') = sin 2xi' cosh 2eta' + i cos 2xi' sinh 2eta', cos(2 zeta') = cos 2xi'
        // cosh 2eta' - i sin 2xi' sinh 2eta', with sin 2xi' = 2 t cos l / h^2, cos 2xi' =
        // (cos^2 l - t^2) / h^2, sinh 2eta' = 2 sin l secant / h^2, cosh 2eta' = (secant^2 +
        // sin^2 l) / h^2.
        const double sin2xi = 2 * t * cosLambda / h2;
        const double cos2xi = (cosLambda * cosLambda - t * t) / h2;
        const double sinh2eta = 2 * sinLambda * secant / h2;
        const double cosh2eta = (secant * secant + sinLambda * sinLambda) / h2;
        sinTwo = {sin2xi * cosh2eta, cos2xi * sinh2eta};
        cosTwo = {cos2xi * cosh2eta, -sin2xi * sinh2eta};
    }
    const Complex sum = ClenshawSum(terms.alpha, sinTwo, cosTwo);
    return {terms.gridRadius * (etaPrime + sum.im) * longitudeSign,
            terms.gridRadius * (xiPrime + sum.re) * latitudeSign};
}

TransverseMercatorPosition TransverseMercatorReverse(const TransverseMercatorTerms& terms,
                                                     TransverseMercatorPoint point) {
    // The poles' own northing, divided back, may come out an ulp beyond pi/2.
    constexpr double kPoleRounding = 1e-15;
    double xi = point.y / terms.gridRadius;
    const double eta = point.x / terms.gridRadius;
    if (!(std::fabs(xi) <= std::numbers::pi / 2 + kPoleRounding && std::isfinite(eta))) {
        throw InvalidArgumentFailure("transverse Mercator",
                                     "the point " + ValueText(point.x) + " m east, " +
                                         ValueText(point.y) +
                                         " m north lies beyond the poles' northings");
    }
    const double xSign = std::signbit(eta) ? -1 : 1;
    const double ySign = std::signbit(xi) ? -1 : 1;
    const double xiAbs = std::min(std::fabs(xi), std::numbers::pi / 2);
    const double etaAbs = std::fabs(eta);
    // sinh and cosh of 2 eta from one expm1, exact in proportion however small eta is.
    const double m = std::expm1(2 * etaAbs);
    const double sinh2eta = m * (m + 2) / (2 * (m + 1));
    const double cosh2eta = 1 + m * m / (2 * (m + 1));
    const double sin2xi = std::sin(2 * xiAbs);
    const double cos2xi = std::cos(2 * xiAbs);
    const Complex sum = ClenshawSum(terms.beta, {sin2xi * cosh2eta, cos2xi * sinh2eta},
                                    {cos2xi * cosh2eta, -sin2xi * sinh2eta});
    const double xiPrime = xiAbs - sum.re;
    const double etaPrime = etaAbs - sum.im;
    const double sinhEta = std::sinh(etaPrime);
    const double sinXi = std::sin(xiPrime);
    const double cosXi = std::max(0.0, std::cos(xiPrime)); // never below 0 at the pole
    const double r = std::hypot(sinhEta, cosXi);
    if (r == 0) {
        return {90 * ySign, 0};
    }
    // The conformal latitude chi, tan chi = sin xi' / r, and the sine and cosine of 2 chi from
    // the same two numbers.
    const double conformal = std::atan2(sinXi, r);
    const double squares = sinXi * sinXi + r * r;
    const double sin2chi = 2 * sinXi * r / squares;
    const double cos2chi = (r - sinXi) * (r + sinXi) / squares;
    const double geodetic =
        conformal + ClenshawSum(terms.conformalToGeodetic, {sin2chi, 0}, {cos2chi, 0}).re;
    return {geodetic * kStandardDegreesPerRadian * ySign,
            std::atan2(sinhEta, cosXi) * kStandardDegreesPerRadian * xSign};
}

} // namespace korvane
