#pragma once

#include "commands/UtmCommand.hpp"
#include "ui/ConverterWindow.hpp"

#include <array>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace korvane::ui {

// The UTM window: northing, easting and zone in, degrees, minutes and seconds out.
class FrmConvert2 : public ConverterWindow, public UtmControls {
    Q_OBJECT

  public:
    FrmConvert2();

    std::string Text1(int index) const override;
    std::string Combo1Text() const override;
    int Combo3Position() const override;
    void ShowFrame2() override;
    void SetTxtLat(int index, const std::string& text) override;
    void SetTxtLong(int index, const std::string& text) override;
    void SetTxtM(const std::string& text) override;

  private:
    std::array<QLineEdit*, 3> text1_{};
    QComboBox* combo1_;
    QComboBox* combo3_;
    QPushButton* command2_;
    QGroupBox* frame2_;
    std::array<QLineEdit*, 4> txtLat_{};
    std::array<QLineEdit*, 4> txtLong_{};
    QLineEdit* txtM_;
};

} // namespace korvane::ui
