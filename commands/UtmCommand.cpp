#include "commands/UtmCommand.hpp"

#include "commands/UtmConversion.hpp"

namespace korvane {

void RunUtmCommand(UtmControls& window, const RegionalSeparators& separators) {
    const std::string northing = window.Text1(0);
    const std::string easting = window.Text1(1);
    const std::string zone = window.Text1(2);
    const std::string hemisphere = window.Combo1Text();
    const auto result = ConvertUtm({northing, easting, zone, hemisphere, window.Combo3Position()},
                                   separators.decimal);
    if (result.frameShown) {
        window.ShowFrame2();
    }
    for (int i = 0; i < 4; ++i) {
        window.SetTxtLat(i, result.latitude[static_cast<std::size_t>(i)]);
    }
    for (int i = 0; i < 4; ++i) {
        window.SetTxtLong(i, result.longitude[static_cast<std::size_t>(i)]);
    }
    window.SetTxtM(result.Converted() ? result.gridReference : "Error");
}

} // namespace korvane
