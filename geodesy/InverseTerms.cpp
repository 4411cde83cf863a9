#include "geodesy/InverseTerms.hpp"

#include "geodesy/FloatingPoint.hpp"
#include "geodesy/Power.hpp"

namespace korvane {

namespace {

double E1(double eSquared) {
    const double root = Power(1 - eSquared, 0.5);
    return Finite((1 - root) / (1 + root), "inverse step 6 (e1)");
}

} // namespace

InverseTerms::InverseTerms(const DatumEntry& datum)
    : a(datum.a), e(Eccentricity(datum)), eSquared(Power(e, 2)),
      secondEccSquared(Finite(eSquared / (1 - eSquared), "inverse step 3 (second eccentricity)")),
      rectifyingRadius(a * (1 - eSquared / 4 - 3 * Power(e, 4) / 64 - 5 * Power(e, 6) / 256)),
      e1(E1(eSquared)), j1(3 * e1 / 2 - 27 * Power(e1, 3) / 32),
      j2(21 * Power(e1, 2) / 16 - 55 * Power(e1, 4) / 32), j3(151 * Power(e1, 3) / 96),
      j4(1097 * Power(e1, 4) / 512) {
    Finite(j1 + j2 + j3 + j4, "inverse step 7 (series coefficients)");
}

} // namespace korvane
