#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// The latitude band letter, a constant text: "A" below 84 S, "C" from 84 S to 72 S, "D".."X" from
// the band table up to 72 N, "X" below 84 N, "Z" from 84 N. Every latitude has a letter.
std::string_view BandLetter(double latitude);

// The latitudes a band letter stands for, as BandLetter gives them: A and Z reach on past the
// poles, as the latitudes computed from entered values may.
struct LatitudeRange {
    double south = 0;
    double north = 0;

    // How many degrees the latitude lies outside the range, 0 inside it.
    double DegreesOutside(double latitude) const;
};

// How far outside its band a position read back with the band may lie: the inverse series is not
// the forward one's exact inverse, so a point on a band's edge may come back a millionth of a
// degree across it. About a metre.
inline constexpr double kBandEdgeTolerance = 1e-5; // degrees

// The range of an upper-case band letter, or nothing for a character that names no band.
std::optional<LatitudeRange> BandLatitudes(char band);

// The character code of a 100 km square index's letter: 1..24 give "A".."Z" without "I" and "O".
// Other indexes give the neighbouring character codes the same way; a code outside 0..255 is an
// invalid argument. Codes above 127 are the Latin-1 characters, which the grid reference writes
// in UTF-8.
int SquareLetterCode(std::int16_t index);

// A grid reference's characters, held in place rather than on the heap (one is made for every
// point converted): at most 30 characters and the band, within kCapacity. GridReference writes
// them through a pointer from Start, then marks where they end: a write through a char may
// alias the size, which adding them one by one would store and read back after each.
class GridReferenceText {
  public:
    static constexpr std::size_t kCapacity = 48;

    std::string_view View() const { return {characters_.data(), size_}; }
    operator std::string_view() const { return View(); }
    friend bool operator==(const GridReferenceText& reference, std::string_view text) {
        return reference.View() == text;
    }

    char* Start() { return characters_.data(); }
    // The characters from Start up to end are the text.
    void EndAt(const char* end) { size_ = static_cast<std::size_t>(end - characters_.data()); }

  private:
    std::array<char, kCapacity> characters_{};
    std::size_t size_ = 0;
};

// Zone, band, column and row letters and five easting and five northing digits:
// "38 P   MC  02339  55355". A band of more than 8 characters is an invalid argument.
GridReferenceText GridReference(std::int16_t zone, std::string_view band, double easting,
                                double northing);

// The reference without its blanks, as it is often written by hand: "38PMC0233955355".
std::string CompactGridReference(std::string_view reference);

} // namespace korvane
