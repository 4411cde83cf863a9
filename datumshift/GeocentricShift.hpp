#pragma once

#include "datumshift/AreaOfUse.hpp"
#include "datumshift/ProjContext.hpp"
#include "geodesy/Coordinates.hpp"

#include <array>
#include <optional>

namespace korvane {

// A transformation that PROJ carries out as: latitude and longitude to Earth-centred coordinates
// on one ellipsoid, an affine map of those (geocentric translations, or a Helmert transformation
// of position-vector or coordinate-frame convention, either way round), and back to latitude and
// longitude on another ellipsoid. Most shifts between a classical datum and WGS 84 have this form.
//
// Evaluated here with PROJ's formulas (its cart: Heiskanen and Moritz 5-27 forward, Bowring's
// one-step inverse, 5-36 and 5-37) and PROJ's own numbers, it gives proj_trans's result to a few
// nanometres in about a quarter of its time, which the batch converter needs. Departures from PROJ:
// - the affine map is measured from PROJ's steps between the two cart steps, at the origin and
//   one equatorial radius along each axis, and must hold to a micrometre at 26 points 10 km
//   above and below the surface in every direction;
// - the ellipsoids' radii are measured from PROJ's cart steps, at the equator and a pole;
// - the inverse takes the root of a sum of squares for PROJ's hypot (one unit in the last place,
//   in a fifth of the time), and the cosine and sine of Bowring's auxiliary angle from its two
//   sides rather than through atan2 (a few units in the last place, a third of the time);
// - the whole must agree with proj_trans to a micrometre at 49 points over the transformation's
//   area of use, short of the poles; a transformation that does not is left to proj_trans.
class GeocentricShift {
  public:
    // The shift of a transformation normalised for visualisation (longitude, latitude in
    // degrees), or nothing where its pipeline has another form or the evaluation here does not
    // agree with proj_trans's. The context is the operation's own.
    static std::optional<GeocentricShift> Of(const ProjContext& context, PJ* operation,
                                             const std::optional<AreaOfUse>& area);

    // A latitude within -90..90 and a longitude within -180..180, in degrees.
    GeodeticPosition Apply(const GeodeticPosition& position) const;

  private:
    struct Ellipsoid {
        double a = 0;   // equatorial radius
        double b = 0;   // polar radius
        double es = 0;  // first eccentricity squared
        double e2s = 0; // second eccentricity squared
    };

    GeocentricShift(const Ellipsoid& from, const std::array<double, 12>& map, const Ellipsoid& to)
        : from_(from), map_(map), to_(to) {}

    Ellipsoid from_;
    std::array<double, 12> map_; // rows of x' = m0 + m1 x + m2 y + m3 z, then y', then z'
    Ellipsoid to_;
};

} // namespace korvane
