#include "ui/FrmConvert1.hpp"

#include "ui/DesignControls.hpp"
#include "ui/Icons.hpp"
#include "ui/SystemSeparators.hpp"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace korvane::ui {

FrmConvert1::FrmConvert1()
    : ConverterWindow(QStringLiteral("Convert Lat, Long"), Arial9(), QStringLiteral("Datum"),
                      QStringLiteral("UTMc"), QStringLiteral("Convert UTM")) {
    setObjectName(QStringLiteral("FrmConvert1"));
    setWindowIcon(WindowIcon(QStringLiteral("latlong")));
    QWidget* window = Client();

    auto* frame2 = AddFrame(window, QStringLiteral("Frame2"), FromTwips(195, 400, 5460, 1365),
                            QStringLiteral("  Lat, Long "));
    const int boxLeft[] = {990, 1437, 1800};
    const int boxWidth[] = {435, 350, 600};
    const QString latitudeText[] = {QStringLiteral("15"), QStringLiteral("52"),
                                    QStringLiteral("31.11")};
    const QString longitudeText[] = {QStringLiteral("44"), QStringLiteral("5"),
                                     QStringLiteral("16.11")};
    const int latitudeLimit[] = {2, 2, 6};
    const int longitudeLimit[] = {3, 2, 6};
    for (int i = 0; i < 3; ++i) {
        txtLat_[static_cast<std::size_t>(i)] =
            AddInputBox(frame2, Indexed("TxtLat", i), FromTwips(boxLeft[i], 375, boxWidth[i], 330),
                        latitudeText[i], latitudeLimit[i]);
    }
    combo1_ = AddList(frame2, QStringLiteral("Combo1"), FromTwips(2385, 360, 600, 345),
                      {QStringLiteral("N"), QStringLiteral("S")}, QStringLiteral("N"));
    for (int i = 0; i < 3; ++i) {
        txtLong_[static_cast<std::size_t>(i)] =
            AddInputBox(frame2, Indexed("TxtLong", i), FromTwips(boxLeft[i], 795, boxWidth[i], 330),
                        longitudeText[i], longitudeLimit[i]);
    }
    combo2_ = AddList(frame2, QStringLiteral("Combo2"), FromTwips(2385, 780, 600, 345),
                      {QStringLiteral("E"), QStringLiteral("W")}, QStringLiteral("E"));
    combo3_ = AddList(frame2, QStringLiteral("Combo3"), FromTwips(3060, 780, 2220, 345),
                      DatumListNames(), QStringLiteral("WGS 84"));
    auto* latitudeCaption =
        AddLabel(frame2, QStringLiteral("Label1"), 240, 435, QStringLiteral("Latitude"));
    auto* longitudeCaption =
        AddLabel(frame2, QStringLiteral("Label2"), 90, 855, QStringLiteral("Longitude"));
    auto* datumCaption =
        AddLabel(frame2, QStringLiteral("Label7"), 3600, 480, QStringLiteral("Select Datum"));

    command1_ = AddButton(window, QStringLiteral("Command1"), FromTwips(2160, 2010, 1500, 315),
                          QStringLiteral("Convert to UTM"));

    frame1_ = AddFrame(window, QStringLiteral("Frame1"), FromTwips(825, 2460, 4200, 1125),
                       QStringLiteral("  UTM "));
    text1_ = AddOutputBox(frame1_, QStringLiteral("Text1"), FromTwips(1080, 240, 1410, 330), {});
    text2_ = AddOutputBox(frame1_, QStringLiteral("Text2"), FromTwips(1080, 660, 1410, 330), {});
    auto* eastingCaption =
        AddLabel(frame1_, QStringLiteral("Label3"), 405, 720, QStringLiteral("Easting"));
    auto* northingCaption =
        AddLabel(frame1_, QStringLiteral("Label4"), 315, 300, QStringLiteral("Northing"));
    labZm_ =
        AddLabel(frame1_, QStringLiteral("LabZm"), 2610, 705, QStringLiteral("----"), Arial975());
    labZ_ =
        AddLabel(frame1_, QStringLiteral("LabZ"), 2610, 285, QStringLiteral("----"), Arial975());
    AddTitle(window, QStringLiteral("Convert Lat, Long to UTM"));

    auto* gridLabel = AddLabel(window, QStringLiteral("Label6"), 720, 3930,
                               QStringLiteral("Military Grid Reference"));
    txtM_ = AddOutputBox(window, QStringLiteral("TxtM"), FromTwips(2700, 3870, 2400, 345), {});
    gridLabel->setToolTip(GridReferenceTooltip());
    txtM_->setToolTip(GridReferenceTooltip());

    const QString parts[] = {QStringLiteral("degrees"), QStringLiteral("minutes"),
                             QStringLiteral("seconds")};
    for (std::size_t i = 0; i < 3; ++i) {
        Describe(txtLat_[i], QStringLiteral("Latitude ") + parts[i],
                 QStringLiteral("The latitude's %1 to convert").arg(parts[i]), latitudeCaption);
        Describe(txtLong_[i], QStringLiteral("Longitude ") + parts[i],
                 QStringLiteral("The longitude's %1 to convert").arg(parts[i]), longitudeCaption);
    }
    Describe(combo1_, QStringLiteral("Latitude hemisphere"),
             QStringLiteral("N for north or S for south"), latitudeCaption);
    Describe(combo2_, QStringLiteral("Longitude hemisphere"),
             QStringLiteral("E for east or W for west"), longitudeCaption);
    DescribeDatumList(combo3_, datumCaption);
    Describe(command1_, QStringLiteral("Convert to UTM"),
             QStringLiteral("Converts the latitude and longitude to UTM"));
    Describe(text1_, QStringLiteral("Northing"), QStringLiteral("The northing in metres, or Error"),
             northingCaption);
    Describe(text2_, QStringLiteral("Easting"), QStringLiteral("The easting in metres, or Error"),
             eastingCaption);
    DescribeGridReference(txtM_, gridLabel);

    QWidget* tabOrder[] = {txtLat_[0],  txtLat_[1],  txtLat_[2], combo1_, txtLong_[0],
                           txtLong_[1], txtLong_[2], combo2_,    combo3_, command1_,
                           text1_,      text2_,      txtM_};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
    for (QLineEdit* box :
         {txtLat_[0], txtLat_[1], txtLat_[2], txtLong_[0], txtLong_[1], txtLong_[2]}) {
        SelectOnEntry(box);
    }
    connect(command1_, &QPushButton::clicked, this,
            [this] { RunLatLongCommand(*this, SystemSeparators()); });
    Finish(command1_);
    txtLat_[0]->setFocus();
}

std::string FrmConvert1::TxtLat(int index) const {
    return txtLat_.at(static_cast<std::size_t>(index))->text().toStdString();
}

std::string FrmConvert1::TxtLong(int index) const {
    return txtLong_.at(static_cast<std::size_t>(index))->text().toStdString();
}

std::string FrmConvert1::Combo1Text() const {
    return combo1_->currentText().toStdString();
}
std::string FrmConvert1::Combo2Text() const {
    return combo2_->currentText().toStdString();
}
int FrmConvert1::Combo3Position() const {
    return combo3_->currentIndex();
}
void FrmConvert1::ShowFrame1() {
    frame1_->setVisible(true);
}
void FrmConvert1::SetText1(const std::string& text) {
    ShowText(text1_, text);
}
void FrmConvert1::SetText2(const std::string& text) {
    ShowText(text2_, text);
}
void FrmConvert1::SetTxtM(const std::string& text) {
    ShowText(txtM_, text);
}

void FrmConvert1::SetLabZ(const std::string& caption) {
    SetCaption(labZ_, QString::fromStdString(caption));
}

void FrmConvert1::SetLabZm(const std::string& caption) {
    SetCaption(labZm_, QString::fromStdString(caption));
}

} // namespace korvane::ui
