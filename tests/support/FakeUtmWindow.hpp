#pragma once

#include "commands/UtmCommand.hpp"

#include <array>
#include <string>

namespace korvane {

// The UTM window's controls as plain values, starting from the window's design values, for the
// tests, the fuzzers and the benchmarks. The output boxes start as the window shows them before
// any conversion, so that a test can tell which ones a conversion wrote.
struct FakeUtmWindow : UtmControls {
    std::array<std::string, 3> text1{"1755352.105", "402336.0", "38"};
    std::string combo1 = "N";
    int combo3 = 0;
    bool frame2Visible = false;
    std::array<std::string, 4> latitude{"", " ", " ", " "};
    std::array<std::string, 4> longitude{" ", " ", "", " "};
    std::string txtM;

    std::string Text1(int i) const override { return text1.at(static_cast<std::size_t>(i)); }
    std::string Combo1Text() const override { return combo1; }
    int Combo3Position() const override { return combo3; }
    void ShowFrame2() override { frame2Visible = true; }
    void SetTxtLat(int i, const std::string& text) override {
        latitude.at(static_cast<std::size_t>(i)) = text;
    }
    void SetTxtLong(int i, const std::string& text) override {
        longitude.at(static_cast<std::size_t>(i)) = text;
    }
    void SetTxtM(const std::string& text) override { txtM = text; }
};

} // namespace korvane
