#pragma once

// The inverse series step by step, for the inverse projection and its tests; the layers above
// call ProjectFromUtm.

#include "geodesy/InverseProjection.hpp"

namespace korvane {

// Every named value of the footpoint-latitude series, in the order it is computed.
struct InverseSteps {
    std::int16_t centralMeridian = 0;
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

InverseSteps InverseSeries(const UtmCoordinate& utm, const InverseTerms& terms);

} // namespace korvane
