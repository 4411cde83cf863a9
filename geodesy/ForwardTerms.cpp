#include "geodesy/ForwardTerms.hpp"

#include "geodesy/FloatingPoint.hpp"
#include "geodesy/Power.hpp"

namespace korvane {

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

ForwardTerms::ForwardTerms(const DatumEntry& datum)
    : a(datum.a), e(Eccentricity(datum)),
      secondEccSquared(
          Finite(Power(e, 2) / (1 - Power(e, 2)), "forward step 5 (second eccentricity)")),
      n(Finite((datum.a - datum.b) / (datum.a + datum.b), "forward step 6 (n)")),
      arc(ArcCoefficients(datum.a, n)), sinOneSecondSquared(Power(SinOneSecond, 2)),
      sinOneSecondToTheFourth(Power(SinOneSecond, 4)),
      secondEccToTheFourth(Power(secondEccSquared, 2)) {}

} // namespace korvane
