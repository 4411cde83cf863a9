#include "geodesy/MgrsLettering.hpp"

#include "geodesy/Modn.hpp"

#include <algorithm>
#include <array>

namespace korvane {

MgrsLettering LetteringForDatum(std::string_view listName) {
    constexpr std::array<std::string_view, 4> kOldLettering = {
        "Clarke 1866", "Clarke 1880", "Bessel 1841", "North American 1927"};
    return std::find(kOldLettering.begin(), kOldLettering.end(), listName) != kOldLettering.end()
               ? MgrsLettering::AL
               : MgrsLettering::AA;
}

std::string_view UtmColumnLetters(int zone) {
    constexpr std::array<std::string_view, 3> kSets = {"ABCDEFGH", "JKLMNPQR", "STUVWXYZ"};
    return kSets[static_cast<std::size_t>(WholeModn(zone - 1, 3))];
}

int UtmRowLetterShift(int zone, MgrsLettering lettering) {
    const int even = zone % 2 == 0 ? 5 : 0;
    return even + (lettering == MgrsLettering::AL ? 10 : 0);
}

} // namespace korvane
