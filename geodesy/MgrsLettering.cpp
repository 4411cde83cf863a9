#include "geodesy/MgrsLettering.hpp"

#include "geodesy/Modn.hpp"

#include <algorithm>
#include <array>

namespace korvane {

MgrsLettering LetteringForDatum(std::string_view name) {
    // EPSG's names add a variant: "Clarke 1880 (RGS)", "Clarke 1866 Authalic Sphere" is none
    // of them, "Bessel Namibia (GLM)" is Bessel 1841 in other units.
    constexpr std::array<std::string_view, 5> kOldLettering = {
        "Clarke 1866", "Clarke 1880", "Bessel 1841", "Bessel Namibia", "North American 1927"};
    const bool old = std::any_of(kOldLettering.begin(), kOldLettering.end(), [&](auto family) {
        return name.starts_with(family) && name.find("Sphere") == std::string_view::npos;
    });
    return old ? MgrsLettering::AL : MgrsLettering::AA;
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
