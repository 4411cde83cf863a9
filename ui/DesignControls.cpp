#include "ui/DesignControls.hpp"

#include "geodesy/DatumTable.hpp"
#include "ui/ControlAccessible.hpp"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

namespace korvane::ui {

namespace {

constexpr double kTwipsPerPixel = 15;

int Pixels(int twips) {
    return qRound(twips / kTwipsPerPixel);
}

// A box the program writes: it cannot be edited, but its text can be selected and copied.
// Entering it selects nothing, unlike the input boxes.
class OutputBox : public QLineEdit {
  public:
    using QLineEdit::QLineEdit;

  protected:
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        deselect();
    }
};

QLineEdit* PlaceBox(QLineEdit* box, const QString& name, const QRect& geometry,
                    const QString& text) {
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setText(text);
    box->setCursorPosition(0);
    return box;
}

} // namespace

QRect FromTwips(int left, int top, int width, int height) {
    return {Pixels(left), Pixels(top), Pixels(width), Pixels(height)};
}

QString Indexed(const char* name, int index) {
    return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QFont DesignFont(const QString& family, double pointSize) {
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(true);
    return font;
}

QFont Arial9() {
    return DesignFont(QStringLiteral("Arial"), 9);
}
QFont Arial975() {
    return DesignFont(QStringLiteral("Arial"), 9.75);
}
QFont MsSansSerif825() {
    return DesignFont(QStringLiteral("MS Sans Serif"), 8.25);
}

void InstallFontSubstitutes() {
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    QFont::insertSubstitutions(
        QStringLiteral("MS Sans Serif"),
        {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans")});
}

void PaintDesignBackground(QWidget* widget) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, kWindowBackground);
    palette.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::Base));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QLineEdit* AddInputBox(QWidget* parent, const QString& name, const QRect& geometry,
                       const QString& text, int maxLength) {
    auto* box = PlaceBox(new QLineEdit(parent), name, geometry, text);
    box->setMaxLength(maxLength);
    return box;
}

QLineEdit* AddOutputBox(QWidget* parent, const QString& name, const QRect& geometry,
                        const QString& text) {
    auto* box = PlaceBox(new OutputBox(parent), name, geometry, text);
    box->setReadOnly(true);
    return box;
}

QComboBox* AddList(QWidget* parent, const QString& name, const QRect& geometry,
                   const QStringList& items, const QString& selected) {
    auto* list = new QComboBox(parent); // not editable: the user picks, never types
    list->setObjectName(name);
    list->setGeometry(geometry);
    list->addItems(items);
    list->setCurrentIndex(list->findText(selected)); // selected by its text, as at load
    return list;
}

QLabel* AddLabel(QWidget* parent, const QString& name, int leftTwips, int topTwips,
                 const QString& caption, const std::optional<QFont>& font) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    if (font) {
        label->setFont(*font);
    }
    label->move(Pixels(leftTwips), Pixels(topTwips));
    SetCaption(label, caption);
    return label;
}

QLabel* AddTitle(QWidget* parent, const QString& caption) {
    auto* title = AddLabel(parent, QStringLiteral("Label5"), 630, 90, caption, Arial975());
    QPalette blue = title->palette();
    blue.setColor(QPalette::WindowText, kTitleBlue);
    title->setPalette(blue);
    return title;
}

QGroupBox* AddFrame(QWidget* parent, const QString& name, const QRect& geometry,
                    const QString& caption) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    frame->setGeometry(geometry);
    PaintDesignBackground(frame);
    return frame;
}

QPushButton* AddButton(QWidget* parent, const QString& name, const QRect& geometry,
                       const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

void Describe(QWidget* control, const QString& name, const QString& description, QLabel* caption) {
    // Labelled first: setting a name may already have Qt make the control's interface.
    if (qobject_cast<QLineEdit*>(control) != nullptr ||
        qobject_cast<QComboBox*>(control) != nullptr) {
        LabelControl(control, caption);
    }
    control->setAccessibleName(name);
    control->setAccessibleDescription(description);
}

void DescribeDatumList(QWidget* list, QLabel* caption) {
    Describe(list, QStringLiteral("Select Datum"),
             QStringLiteral("The reference ellipsoid of the conversion"), caption);
}

void DescribeGridReference(QWidget* box, QLabel* caption) {
    Describe(box, QStringLiteral("Military Grid Reference"),
             QStringLiteral("Zone, latitude band, 100 km square letters, easting and northing "
                            "digits"),
             caption);
}

void SetCaption(QLabel* label, const QString& caption) {
    label->setText(caption);
    label->resize(label->sizeHint());
}

void ShowText(QLineEdit* box, const std::string& text) {
    box->setText(QString::fromStdString(text));
    box->setCursorPosition(0);
}

QStringList DatumListNames() {
    QStringList names;
    for (const auto& datum : ListedDatums()) {
        names << QString::fromUtf8(datum.listName.data(),
                                   static_cast<qsizetype>(datum.listName.size()));
    }
    return names;
}

QString GridReferenceTooltip() {
    return QStringLiteral(u"\u0627\u0644\u0634\u0628\u0643\u0629 "
                          u"\u0627\u0644\u0639\u0633\u0643\u0631\u064A\u0629 ");
}

} // namespace korvane::ui
