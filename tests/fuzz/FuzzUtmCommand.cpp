// The UTM window's command on any texts and any datum position: either every output box holds
// a well-formed result, or the boxes are empty and the grid reference says "Error".
// Fields: northing, easting, zone, hemisphere, datum list position.

#include "FuzzInput.hpp"
#include "commands/UtmCommand.hpp"
#include "support/FakeUtmWindow.hpp"
#include "support/TextShapes.hpp"

#include <array>

namespace {

using namespace korvane;
using namespace korvane::fuzz;

// The fake window holding the fuzzer's texts and datum position.
FakeUtmWindow WindowOf(const Fields& fields) {
    FakeUtmWindow window;
    window.text1 = {fields.Text(0), fields.Text(1), fields.Text(2)};
    window.combo1 = fields.Text(3);
    window.combo3 = fields.Position(4);
    return window;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Fields fields(data, size);
    FakeUtmWindow window = WindowOf(fields);
    RunUtmCommand(window, {",", "."});
    if (window.txtM == "Error") {
        for (std::size_t i = 0; i < 4; ++i) {
            if (!window.latitude[i].empty() || !window.longitude[i].empty()) {
                Broken("a failed conversion left part of a result");
            }
        }
        return 0;
    }
    const bool wellFormed =
        IsWholeNumber(window.latitude[0]) && IsWholeNumber(window.latitude[1]) &&
        IsPlainNumber(window.latitude[2]) && window.latitude[3] == fields.Text(3) &&
        IsWholeNumber(window.longitude[0]) && IsWholeNumber(window.longitude[1]) &&
        IsPlainNumber(window.longitude[2]) &&
        (window.longitude[3] == "E" || window.longitude[3] == "W") && IsGridReference(window.txtM);
    if (!wellFormed) {
        Broken("a malformed result: " + window.latitude[0] + " " + window.latitude[1] + " " +
               window.latitude[2] + " | " + window.longitude[0] + " " + window.longitude[1] + " " +
               window.longitude[2] + " " + window.longitude[3] + " | " + window.txtM);
    }
    return 0;
}
