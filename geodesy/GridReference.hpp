#pragma once

#include "geodesy/DigitPairs.hpp"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
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

// The letter of a 100 km square index: 1..24 give "A".."Z" without "I" and "O". Other indexes
// give the neighbouring character codes the same way; a code outside 0..255 is an invalid
// argument. Codes above 127 are the Latin-1 characters, written in UTF-8.
std::string SquareLetter(std::int16_t index);

// A grid reference's characters, held in place rather than on the heap (one is made for every
// point converted) and written there as GridReference works them out: at most 30 characters and
// the band, within kCapacity.
class GridReferenceText {
  public:
    static constexpr std::size_t kCapacity = 48;

    std::string_view View() const { return {characters_.data(), size_}; }
    operator std::string_view() const { return View(); }
    friend bool operator==(const GridReferenceText& reference, std::string_view text) {
        return reference.View() == text;
    }

    void Add(char c) { characters_[size_++] = c; }
    // Character by character: the texts are a few characters long, shorter than a call to copy
    // them would be.
    void Add(std::string_view text) {
        for (const char c : text) {
            characters_[size_++] = c;
        }
    }
    // A whole number's digits, after a "-" when it is negative.
    void AddWhole(std::int32_t number) {
        size_ = static_cast<std::size_t>(WriteWholeNumber(End(), number) - characters_.data());
    }
    // The five digits of a number below 100000, leading zeros and all.
    void AddFiveDigits(unsigned number) {
        char* const digits = End();
        digits[0] = static_cast<char>('0' + number / 10000);
        std::memcpy(digits + 1, kDigitPairs.data() + 2 * (number / 100 % 100), 2);
        std::memcpy(digits + 3, kDigitPairs.data() + 2 * (number % 100), 2);
        size_ += 5;
    }

  private:
    char* End() { return characters_.data() + size_; }

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
