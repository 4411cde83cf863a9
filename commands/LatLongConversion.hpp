#pragma once

#include "geodesy/ForwardProjection.hpp"
#include "geodesy/GridReference.hpp"

#include <array>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvane {

// What the Lat/Long window's conversion reads: the texts of its boxes and lists.
struct LatLongInputs {
    std::array<std::string_view, 3> latitude;  // TxtLat(0..2): degrees, minutes, seconds
    std::array<std::string_view, 3> longitude; // TxtLong(0..2)
    std::string_view latitudeHemisphere;       // Combo1: exactly "S" means south
    std::string_view longitudeHemisphere;      // Combo2: exactly "W" means west
};

struct LatLongConversion {
    std::string failure; // empty when converted, else why the result boxes show "Error"
    std::int16_t zone = 0;
    std::int16_t centralMeridian = 0;
    std::string_view band; // one of BandLetter's constant texts
    double northing = 0;   // rounded to hundredths
    double easting = 0;
    GridReferenceText gridReference;

    bool Converted() const { return failure.empty(); }
};

// A position as numbers rather than texts: what the boxes and lists hold once read, the sizes of
// the latitude and the longitude in degrees and their hemispheres.
struct LatLongDegrees {
    double latitude = 0;
    double longitude = 0;
    bool south = false;
    bool west = false;

    // The position with its hemispheres as signs, north and east positive.
    GeodeticPosition Signed() const {
        return {south ? -latitude : latitude, west ? -longitude : longitude};
    }
    // And back: a sign picks the hemisphere, that of -0 too (south, west).
    static LatLongDegrees FromSigned(const GeodeticPosition& position) {
        return {std::fabs(position.latitude), std::fabs(position.longitude),
                std::signbit(position.latitude), std::signbit(position.longitude)};
    }
};

// The boxes and lists read into degrees as the window reads them, each angle's degrees, minutes
// and seconds summed. Gives an empty text, or why they cannot be converted: a box whose number is
// too large to read, or an angle outside 0..90 or 0..180, the latitude's failure first.
std::string ReadLatLong(const LatLongInputs& inputs, LatLongDegrees& degrees);

// Degrees, minutes and seconds to UTM on the ellipsoid at the datum list's position (-1 for
// none): the window's conversion. Input that ReadLatLong refuses is rejected; so is a conversion
// whose arithmetic fails, which only the empty datum row causes.
LatLongConversion ConvertLatLong(const LatLongInputs& inputs, int datumPosition);

// The same from numbers, on an ellipsoid chosen once for a run of points. Degrees typed whole into
// the degrees box give the same conversion.
LatLongConversion ConvertLatLong(const LatLongDegrees& degrees, const ForwardTerms& terms);

} // namespace korvane
