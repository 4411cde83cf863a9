// The Lat/Long window's command on any texts and any datum position: every output box holds a
// well-formed result, or the result boxes hold "Error" and the rest is as it was.
// Fields: latitude degrees, minutes, seconds, hemisphere, longitude degrees, minutes, seconds,
// hemisphere, datum list position.

#include "FuzzInput.hpp"
#include "commands/LatLongCommand.hpp"
#include "support/FakeLatLongWindow.hpp"
#include "support/TextShapes.hpp"

namespace {

using namespace korvane;
using namespace korvane::fuzz;

// The fake window holding the fuzzer's texts and datum position.
FakeLatLongWindow WindowOf(const Fields& fields) {
    FakeLatLongWindow window;
    window.latitude = {fields.Text(0), fields.Text(1), fields.Text(2)};
    window.combo1 = fields.Text(3);
    window.longitude = {fields.Text(4), fields.Text(5), fields.Text(6)};
    window.combo2 = fields.Text(7);
    window.combo3 = fields.Position(8);
    return window;
}

bool IsZoneCaption(std::string_view caption) {
    return TakeText(caption, "Zone  ") && TakeDigits(caption, 1, 2) && TakeText(caption, " ") &&
           caption.size() == 1 && std::isupper(static_cast<unsigned char>(caption[0]));
}

bool IsMeridianCaption(std::string_view caption) {
    return TakeText(caption, "Zone CM   ") && IsWholeNumber(caption);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Fields fields(data, size);
    FakeLatLongWindow window = WindowOf(fields);
    RunLatLongCommand(window, {",", "."});
    if (!window.frame1Visible) {
        Broken("the result frame was not shown");
    }
    if (window.text1 == "Error" || window.text2 == "Error") {
        if (window.text1 != "Error" || window.text2 != "Error" || window.labZ != "----" ||
            window.labZm != "----" || !window.txtM.empty()) {
            Broken("a rejected input left a half-written result");
        }
        return 0;
    }
    if (!IsGroupedNumber(window.text1) || !IsGroupedNumber(window.text2) ||
        !IsZoneCaption(window.labZ) || !IsMeridianCaption(window.labZm) ||
        !IsGridReference(window.txtM)) {
        Broken("a malformed result: " + window.text1 + " | " + window.text2 + " | " + window.labZ +
               " | " + window.labZm + " | " + window.txtM);
    }
    return 0;
}
