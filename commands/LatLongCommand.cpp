#include "commands/LatLongCommand.hpp"

#include "commands/LatLongConversion.hpp"
#include "commands/NumberText.hpp"
#include "commands/RegionalReading.hpp"

namespace korvane {

void RunLatLongCommand(LatLongControls& window, const RegionalSeparators& separators) {
    window.ShowFrame1();
    // Each box as the window shows numbers: "31,11" seconds are read as 31.11 where the regional
    // decimal separator is a comma.
    const auto read = [&separators](const std::string& text) {
        return RegionalReading(text, separators);
    };
    const std::string latitude[] = {read(window.TxtLat(0)), read(window.TxtLat(1)),
                                    read(window.TxtLat(2))};
    const std::string longitude[] = {read(window.TxtLong(0)), read(window.TxtLong(1)),
                                     read(window.TxtLong(2))};
    const std::string latitudeHemisphere = window.Combo1Text();
    const std::string longitudeHemisphere = window.Combo2Text();
    const auto result = ConvertLatLong({{latitude[0], latitude[1], latitude[2]},
                                        {longitude[0], longitude[1], longitude[2]},
                                        latitudeHemisphere,
                                        longitudeHemisphere},
                                       window.Combo3Position());
    if (!result.Converted()) {
        window.SetText1("Error");
        window.SetText2("Error");
        return;
    }
    window.SetText1(GroupedNumber(result.northing, separators));
    window.SetText2(GroupedNumber(result.easting, separators));
    window.SetLabZ("Zone  " + std::to_string(result.zone) + " " + std::string(result.band));
    window.SetLabZm("Zone CM   " + std::to_string(result.centralMeridian));
    window.SetTxtM(std::string(result.gridReference));
}

} // namespace korvane
