// The Lat/Long window's command on any texts and any datum position: every output box holds a
// well-formed result, or the result boxes hold "Error" and the rest is as it was.
// Fields: latitude degrees, minutes, seconds, hemisphere, longitude degrees, minutes, seconds,
// hemisphere, datum list position.

#include "FuzzInput.hpp"
#include "TextShapes.hpp"
#include "commands/LatLongCommand.hpp"

namespace {

using namespace korvane;
using namespace korvane::fuzz;

struct Window : LatLongControls {
    explicit Window(const Fields& fields) : fields(fields) {}
    const Fields& fields;
    bool frameShown = false;
    std::string text1, text2, txtM;
    std::string labZ = "----", labZm = "----";

    std::string TxtLat(int i) const override { return fields.Text(static_cast<std::size_t>(i)); }
    std::string TxtLong(int i) const override {
        return fields.Text(4 + static_cast<std::size_t>(i));
    }
    std::string Combo1Text() const override { return fields.Text(3); }
    std::string Combo2Text() const override { return fields.Text(7); }
    int Combo3Position() const override { return fields.Position(8); }
    void ShowFrame1() override { frameShown = true; }
    void SetText1(const std::string& text) override { text1 = text; }
    void SetText2(const std::string& text) override { text2 = text; }
    void SetLabZ(const std::string& caption) override { labZ = caption; }
    void SetLabZm(const std::string& caption) override { labZm = caption; }
    void SetTxtM(const std::string& text) override { txtM = text; }
};

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
    Window window(fields);
    RunLatLongCommand(window, {",", "."});
    if (!window.frameShown) {
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
