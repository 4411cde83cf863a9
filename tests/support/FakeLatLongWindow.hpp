#pragma once

#include "commands/LatLongCommand.hpp"

#include <array>
#include <string>

namespace korvane {

// The Lat/Long window's controls as plain values, starting from the window's design values, for
// the tests, the fuzzers and the benchmarks. The outputs start as the window shows them before
// any conversion, so that a test can tell which ones a conversion wrote.
struct FakeLatLongWindow : LatLongControls {
    std::array<std::string, 3> latitude{"15", "52", "31.11"};
    std::array<std::string, 3> longitude{"44", "5", "16.11"};
    std::string combo1 = "N";
    std::string combo2 = "E";
    int combo3 = 0;
    bool frame1Visible = false;
    std::string text1, text2, txtM;
    std::string labZ = "----";
    std::string labZm = "----";

    std::string TxtLat(int i) const override { return latitude.at(static_cast<std::size_t>(i)); }
    std::string TxtLong(int i) const override { return longitude.at(static_cast<std::size_t>(i)); }
    std::string Combo1Text() const override { return combo1; }
    std::string Combo2Text() const override { return combo2; }
    int Combo3Position() const override { return combo3; }
    void ShowFrame1() override { frame1Visible = true; }
    void SetText1(const std::string& text) override { text1 = text; }
    void SetText2(const std::string& text) override { text2 = text; }
    void SetLabZ(const std::string& caption) override { labZ = caption; }
    void SetLabZm(const std::string& caption) override { labZm = caption; }
    void SetTxtM(const std::string& text) override { txtM = text; }
};

} // namespace korvane
