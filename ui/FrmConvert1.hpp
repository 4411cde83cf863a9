#pragma once

#include "commands/LatLongCommand.hpp"
#include "ui/ConverterWindow.hpp"

#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvane::ui {

// The Lat/Long window: degrees, minutes and seconds in, UTM and the grid reference out.
class FrmConvert1 : public ConverterWindow, public LatLongControls {
    Q_OBJECT

  public:
    FrmConvert1();

    std::string TxtLat(int index) const override;
    std::string TxtLong(int index) const override;
    std::string Combo1Text() const override;
    std::string Combo2Text() const override;
    int Combo3Position() const override;
    void ShowFrame1() override;
    void SetText1(const std::string& text) override;
    void SetText2(const std::string& text) override;
    void SetLabZ(const std::string& caption) override;
    void SetLabZm(const std::string& caption) override;
    void SetTxtM(const std::string& text) override;

  private:
    std::array<QLineEdit*, 3> txtLat_{};
    std::array<QLineEdit*, 3> txtLong_{};
    QComboBox* combo1_;
    QComboBox* combo2_;
    QComboBox* combo3_;
    QPushButton* command1_;
    QGroupBox* frame1_;
    QLineEdit* text1_;
    QLineEdit* text2_;
    QLabel* labZ_;
    QLabel* labZm_;
    QLineEdit* txtM_;
};

} // namespace korvane::ui
