#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace korvane::ui {

// Creating the windows' controls from their design values: positions and sizes in twips
// (15 twips make one logical pixel), fonts by name and size, the windows' colours.

QRect FromTwips(int left, int top, int width, int height);

// The design name of a box in a group: "TxtLat(0)".
QString Indexed(const char* name, int index);

inline const QColor kWindowBackground{0, 150, 150};
inline const QColor kTitleBlue{0, 0, 255};

// Font names of the design; where the machine lacks them, metric-compatible ones stand in.
QFont DesignFont(const QString& family, double pointSize);
QFont Arial9();
QFont Arial975();
QFont MsSansSerif825();
void InstallFontSubstitutes();

// Paints a window or frame in the design background with captions in the system's
// window-background colour, as the design's labels and frame captions are.
void PaintDesignBackground(QWidget* widget);

QLineEdit* AddInputBox(QWidget* parent, const QString& name, const QRect& geometry,
                       const QString& text, int maxLength);
QLineEdit* AddOutputBox(QWidget* parent, const QString& name, const QRect& geometry,
                        const QString& text);
QComboBox* AddList(QWidget* parent, const QString& name, const QRect& geometry,
                   const QStringList& items, const QString& selected);
QLabel* AddLabel(QWidget* parent, const QString& name, int leftTwips, int topTwips,
                 const QString& caption, const std::optional<QFont>& font = std::nullopt);
// The window's blue title, Label5.
QLabel* AddTitle(QWidget* parent, const QString& caption);
QGroupBox* AddFrame(QWidget* parent, const QString& name, const QRect& geometry,
                    const QString& caption);
QPushButton* AddButton(QWidget* parent, const QString& name, const QRect& geometry,
                       const QString& caption);

// What a screen reader says of a control: its name, what it holds, and for a box or a list the
// caption that labels it (null for none of its own).
void Describe(QWidget* control, const QString& name, const QString& description,
              QLabel* caption = nullptr);
void DescribeDatumList(QWidget* list, QLabel* caption);
void DescribeGridReference(QWidget* box, QLabel* caption);

// A label's caption changes and the label resizes to fit it, keeping its left edge.
void SetCaption(QLabel* label, const QString& caption);

// The program writes a box: its text shows from the start.
void ShowText(QLineEdit* box, const std::string& text);

// The fourteen datum names in list order.
QStringList DatumListNames();

// The tooltip of the grid-reference label and box: "the military grid", and a trailing blank.
QString GridReferenceTooltip();

} // namespace korvane::ui
