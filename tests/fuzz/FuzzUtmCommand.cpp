// The UTM window's command on any texts and any datum position: either every output box holds
// a well-formed result, or the boxes are empty and the grid reference says "Error".
// Fields: northing, easting, zone, hemisphere, datum list position.

#include "FuzzInput.hpp"
#include "TextShapes.hpp"
#include "commands/UtmCommand.hpp"

#include <array>

namespace {

using namespace korvane;
using namespace korvane::fuzz;

struct Window : UtmControls {
    explicit Window(const Fields& fields) : fields(fields) {}
    const Fields& fields;
    std::array<std::string, 4> latitude{"", " ", " ", " "};
    std::array<std::string, 4> longitude{" ", " ", "", " "};
    std::string txtM;

    std::string Text1(int i) const override { return fields.Text(static_cast<std::size_t>(i)); }
    std::string Combo1Text() const override { return fields.Text(3); }
    int Combo3Position() const override { return fields.Position(4); }
    void ShowFrame2() override {}
    void SetTxtLat(int i, const std::string& text) override {
        latitude.at(static_cast<std::size_t>(i)) = text;
    }
    void SetTxtLong(int i, const std::string& text) override {
        longitude.at(static_cast<std::size_t>(i)) = text;
    }
    void SetTxtM(const std::string& text) override { txtM = text; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Fields fields(data, size);
    Window window(fields);
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
