#include "ui/FrmConvert2.hpp"

#include "ui/DesignControls.hpp"
#include "ui/Icons.hpp"
#include "ui/SystemSeparators.hpp"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace korvane::ui {

FrmConvert2::FrmConvert2()
    : ConverterWindow(QStringLiteral("Convert UTM"), Arial9(), QStringLiteral("DatumD"),
                      QStringLiteral("Latc"), QStringLiteral("Convert Lat, Long")) {
    setObjectName(QStringLiteral("FrmConvert2"));
    setWindowIcon(WindowIcon(QStringLiteral("utm")));
    QWidget* window = Client();

    auto* frame1 = AddFrame(window, QStringLiteral("Frame1"), FromTwips(360, 400, 5100, 1515),
                            QStringLiteral("  UTM "));
    text1_[0] = AddInputBox(frame1, Indexed("Text1", 0), FromTwips(990, 270, 1300, 330),
                            QStringLiteral("1755352.105"), 11);
    combo1_ = AddList(frame1, QStringLiteral("Combo1"), FromTwips(2340, 270, 600, 315),
                      {QStringLiteral("N"), QStringLiteral("S")}, QStringLiteral("N"));
    combo1_->setFont(MsSansSerif825());
    text1_[1] = AddInputBox(frame1, Indexed("Text1", 1), FromTwips(990, 660, 1300, 330),
                            QStringLiteral("402336.0"), 10);
    text1_[2] = AddInputBox(frame1, Indexed("Text1", 2), FromTwips(990, 1050, 1300, 330),
                            QStringLiteral("38"), 2);
    combo3_ = AddList(frame1, QStringLiteral("Combo3"), FromTwips(2745, 1035, 2220, 345),
                      DatumListNames(), QStringLiteral("WGS 84"));
    auto* zoneCaption =
        AddLabel(frame1, QStringLiteral("Label6"), 435, 1110, QStringLiteral("Zone"));
    auto* datumCaption =
        AddLabel(frame1, QStringLiteral("Label7"), 3285, 765, QStringLiteral("Select Datum"));
    auto* eastingCaption =
        AddLabel(frame1, QStringLiteral("Label3"), 225, 720, QStringLiteral("Easting"));
    auto* northingCaption = AddLabel(frame1, QStringLiteral("Label4"), 135, 330,
                                     QStringLiteral("Northing"), MsSansSerif825());

    command2_ = AddButton(window, QStringLiteral("Command2"), FromTwips(1838, 2010, 2175, 315),
                          QStringLiteral("Convert to  Lat, Long"));
    AddTitle(window, QStringLiteral("Convert UTM to Lat, Long"));

    // The frame's own caption is in MS Sans Serif; its boxes and labels keep Arial.
    frame2_ = AddFrame(window, QStringLiteral("Frame2"), FromTwips(825, 2460, 4200, 1125),
                       QStringLiteral("  Lat, Long "));
    frame2_->setFont(MsSansSerif825());
    const QString blank = QStringLiteral(" ");
    struct OutputDesign {
        std::array<QLineEdit*, 4>& group;
        const char* name;
        int index, left, top, width;
        QString text;
    };
    const OutputDesign outputs[] = {
        {txtLong_, "TxtLong", 1, 1845, 660, 350, blank},
        {txtLong_, "TxtLong", 2, 2205, 660, 645, {}},
        {txtLong_, "TxtLong", 0, 1485, 660, 350, blank},
        {txtLat_, "TxtLat", 2, 2205, 240, 645, blank},
        {txtLat_, "TxtLat", 1, 1845, 240, 350, blank},
        {txtLat_, "TxtLat", 0, 1485, 240, 350, {}},
        {txtLong_, "TxtLong", 3, 2880, 660, 330, blank},
        {txtLat_, "TxtLat", 3, 2880, 240, 330, blank},
    };
    for (const auto& design : outputs) {
        QLineEdit* box =
            AddOutputBox(frame2_, Indexed(design.name, design.index),
                         FromTwips(design.left, design.top, design.width, 330), design.text);
        box->setFont(Arial9());
        design.group[static_cast<std::size_t>(design.index)] = box;
    }
    auto* longitudeCaption = AddLabel(frame2_, QStringLiteral("Label2"), 585, 720,
                                      QStringLiteral("Longitude"), Arial9());
    auto* latitudeCaption =
        AddLabel(frame2_, QStringLiteral("Label1"), 735, 300, QStringLiteral("Latitude"), Arial9());

    txtM_ = AddOutputBox(window, QStringLiteral("TxtM"), FromTwips(2700, 3870, 2400, 345), {});
    auto* gridLabel = AddLabel(window, QStringLiteral("Label8"), 720, 3930,
                               QStringLiteral("Military Grid Reference"));
    gridLabel->setToolTip(GridReferenceTooltip());
    txtM_->setToolTip(GridReferenceTooltip());

    Describe(text1_[0], QStringLiteral("Northing"), QStringLiteral("The northing in metres"),
             northingCaption);
    // The hemisphere list has no caption of its own: beside the northing, it is not the northing.
    Describe(combo1_, QStringLiteral("Hemisphere"), QStringLiteral("N for north or S for south"));
    Describe(text1_[1], QStringLiteral("Easting"), QStringLiteral("The easting in metres"),
             eastingCaption);
    Describe(text1_[2], QStringLiteral("Zone"), QStringLiteral("The UTM zone number"), zoneCaption);
    DescribeDatumList(combo3_, datumCaption);
    Describe(command2_, QStringLiteral("Convert to Lat, Long"),
             QStringLiteral("Converts the UTM coordinates to latitude and longitude"));
    const QString parts[] = {QStringLiteral("degrees"), QStringLiteral("minutes"),
                             QStringLiteral("seconds"), QStringLiteral("hemisphere")};
    for (std::size_t i = 0; i < 4; ++i) {
        Describe(txtLat_[i], QStringLiteral("Latitude ") + parts[i],
                 QStringLiteral("The converted latitude's %1").arg(parts[i]), latitudeCaption);
        Describe(txtLong_[i], QStringLiteral("Longitude ") + parts[i],
                 QStringLiteral("The converted longitude's %1").arg(parts[i]), longitudeCaption);
    }
    DescribeGridReference(txtM_, gridLabel);

    QWidget* tabOrder[] = {text1_[0],  combo1_,     text1_[1],   text1_[2],   combo3_,
                           command2_,  txtLong_[1], txtLong_[2], txtLong_[0], txtLat_[2],
                           txtLat_[1], txtLat_[0],  txtLong_[3], txtLat_[3],  txtM_};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
    for (QLineEdit* box : text1_) {
        SelectOnEntry(box);
    }
    connect(command2_, &QPushButton::clicked, this,
            [this] { RunUtmCommand(*this, SystemSeparators()); });
    Finish(command2_);
    text1_[0]->setFocus();
}

std::string FrmConvert2::Text1(int index) const {
    return text1_.at(static_cast<std::size_t>(index))->text().toStdString();
}

std::string FrmConvert2::Combo1Text() const {
    return combo1_->currentText().toStdString();
}
int FrmConvert2::Combo3Position() const {
    return combo3_->currentIndex();
}
void FrmConvert2::ShowFrame2() {
    frame2_->setVisible(true);
}
void FrmConvert2::SetTxtM(const std::string& text) {
    ShowText(txtM_, text);
}

void FrmConvert2::SetTxtLat(int index, const std::string& text) {
    ShowText(txtLat_.at(static_cast<std::size_t>(index)), text);
}

void FrmConvert2::SetTxtLong(int index, const std::string& text) {
    ShowText(txtLong_.at(static_cast<std::size_t>(index)), text);
}

} // namespace korvane::ui
