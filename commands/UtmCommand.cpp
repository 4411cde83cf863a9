#include "commands/UtmCommand.hpp"

#include "commands/AngleBoxes.hpp"
#include "commands/RegionalReading.hpp"
#include "commands/UtmConversion.hpp"

namespace korvane {

void RunUtmCommand(UtmControls& window, const RegionalSeparators& separators) {
    // Each box as the window shows numbers: "402.339,35" is read as 402339.35 with German
    // settings.
    const std::string northing = RegionalReading(window.Text1(0), separators);
    const std::string easting = RegionalReading(window.Text1(1), separators);
    const std::string zone = RegionalReading(window.Text1(2), separators);
    const std::string hemisphere = window.Combo1Text();
    const auto result = ConvertUtm({northing, easting, zone, hemisphere}, window.Combo3Position());
    if (result.frameShown) {
        window.ShowFrame2();
    }
    // A failed conversion empties the boxes rather than leave the ones written before the
    // failing step: no half of a result stays on screen to be read as a whole one.
    const AngleBoxes latitude =
        result.Converted() ? LatitudeBoxes(result, hemisphere, separators.decimal) : AngleBoxes{};
    const AngleBoxes longitude =
        result.Converted() ? LongitudeBoxes(result, separators.decimal) : AngleBoxes{};
    for (int i = 0; i < 4; ++i) {
        window.SetTxtLat(i, latitude[static_cast<std::size_t>(i)]);
    }
    for (int i = 0; i < 4; ++i) {
        window.SetTxtLong(i, longitude[static_cast<std::size_t>(i)]);
    }
    window.SetTxtM(result.Converted() ? std::string(result.gridReference) : "Error");
}

} // namespace korvane
