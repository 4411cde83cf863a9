#include "WindowProbe.hpp"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionFrame>
#include <QTest>

using namespace korvane::ui;

namespace {

using Texts = QMap<QString, QString>; // control name -> text

// The rectangle QLineEdit draws its text in: its contents less its text margins and the two
// pixels it keeps on either side.
QRect TextArea(QLineEdit* box) {
    QStyleOptionFrame option;
    option.initFrom(box);
    option.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box);
    option.state |= QStyle::State_Sunken;
    const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box);
    return contents.marginsRemoved(box->textMargins()).adjusted(2, 0, -2, 0);
}

// The whole text is seen: the text area lies inside the box's frame and holds the text's width
// and the cursor's pixel after it, and the box shows the same with the cursor at the text's end
// as at its start, so nothing has scrolled out of sight.
void CheckWhole(QLineEdit* box, const QString& text) {
    box->setText(text);
    const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
    const QRect inside = box->rect().adjusted(frame, frame, -frame, -frame);
    const QRect area = TextArea(box);
    QVERIFY2(inside.contains(area), qPrintable(box->objectName()));
    const int width = box->fontMetrics().horizontalAdvance(text);
    QVERIFY2(width + 1 <= area.width(),
             qPrintable(QStringLiteral("%1: \"%2\" is %3 pixels wide, the box shows %4")
                            .arg(box->objectName(), text)
                            .arg(width)
                            .arg(area.width() - 1)));
    QVERIFY(box->fontMetrics().height() <= area.height());
    box->end(false);
    const QImage atEnd = box->grab().toImage();
    box->home(false);
    QCOMPARE(box->grab().toImage(), atEnd);
}

} // namespace

// Every digit a box is given can be read whole, in the window's own font and box sizes.
class TextFitTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { InstallDesignLook(); }

    // As many characters as the box takes, each as wide as a digit can be; the seconds boxes'
    // six characters are seconds to three decimals, as six whole digits of seconds are not.
    void inputBoxesShowTheLongestTextTheirLimitTakes_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        const char* rows[][3] = {
            {"FrmConvert1", "TxtLat(0)", "88"},         {"FrmConvert1", "TxtLat(1)", "88"},
            {"FrmConvert1", "TxtLat(2)", "59.999"},     {"FrmConvert1", "TxtLong(0)", "888"},
            {"FrmConvert1", "TxtLong(1)", "88"},        {"FrmConvert1", "TxtLong(2)", "59.999"},
            {"FrmConvert2", "Text1(0)", "88888888888"}, {"FrmConvert2", "Text1(1)", "8888888888"},
            {"FrmConvert2", "Text1(2)", "88"},
        };
        for (const auto& [window, box, text] : rows) {
            QTest::addRow("%s %s", window, box) << window << box << text;
        }
    }
    void inputBoxesShowTheLongestTextTheirLimitTakes() {
        QFETCH(QString, window);
        QFETCH(QString, box);
        QFETCH(QString, text);
        const auto shown = MakeWindow(window);
        QVERIFY(ShowActive(shown.get()));
        auto* input = Find<QLineEdit>(shown.get(), box);
        QCOMPARE(text.size(), input->maxLength());
        shown->findChild<QPushButton*>()->setFocus(); // away from the box: no cursor is drawn
        CheckWhole(input, text);
    }

    // The longest results the conversions give within the design's range: northings of twelve
    // characters, three-digit degrees of longitude (zone 0 and zones up to 99 are taken as typed),
    // seconds to two decimals, grid references of two-digit zones, and "Error".
    void resultBoxesShowTheLongestResults_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<Texts>("input");
        QTest::addColumn<Texts>("results");
        QTest::newRow("southern northing, eastern easting")
            << "FrmConvert1"
            << Texts{{"TxtLat(0)", "0"},  {"TxtLat(1)", "0"},   {"TxtLat(2)", "0.001"},
                     {"TxtLong(0)", "5"}, {"TxtLong(1)", "59"}, {"TxtLong(2)", "59.999"},
                     {"Combo1", "S"},     {"Combo2", "E"}}
            << Texts{{"Text1", "9,999,999.97"},
                     {"Text2", "833,978.42"},
                     {"TxtM", "31 M   HV  33978  99999"}};
        QTest::newRow("out of range") << "FrmConvert1" << Texts{{"TxtLat(0)", "91"}}
                                      << Texts{{"Text1", "Error"}, {"Text2", "Error"}};
        QTest::newRow("zone 0") << "FrmConvert2"
                                << Texts{{"Text1(0)", ""}, {"Text1(1)", ""}, {"Text1(2)", ""}}
                                << Texts{{"TxtLong(0)", "187"},
                                         {"TxtLong(1)", "29"},
                                         {"TxtLong(2)", "19.48"},
                                         {"TxtLong(3)", "W"},
                                         {"TxtM", "0 N   RF  00000  00000"}};
        QTest::newRow("zone 99 south of the pole") << "FrmConvert2"
                                                   << Texts{{"Text1(0)", "-9999999"},
                                                            {"Text1(1)", "999999"},
                                                            {"Text1(2)", "99"},
                                                            {"Combo1", "S"}}
                                                   << Texts{{"TxtLat(0)", "180"},
                                                            {"TxtLat(1)", "2"},
                                                            {"TxtLat(2)", "12.12"},
                                                            {"TxtLat(3)", "S"},
                                                            {"TxtLong(0)", "406"},
                                                            {"TxtLong(1)", "30"},
                                                            {"TxtLong(2)", "40.55"},
                                                            {"TxtLong(3)", "E"},
                                                            {"TxtM", "99 A   [A  99999  99999"}};
        QTest::newRow("next to the pole")
            << "FrmConvert2"
            << Texts{{"Text1(0)", "9997964.94"}, {"Text1(1)", "500000"}, {"Text1(2)", "60"}}
            << Texts{{"TxtLat(0)", "89"},
                     {"TxtLat(1)", "59"},
                     {"TxtLat(2)", "60"},
                     {"TxtM", "60 Z   WE  00000  97964"}};
        QTest::newRow("unreadable northing")
            << "FrmConvert2" << Texts{{"Text1(0)", "9e999"}} << Texts{{"TxtM", "Error"}};
    }
    void resultBoxesShowTheLongestResults() {
        QFETCH(QString, window);
        QFETCH(Texts, input);
        QFETCH(Texts, results);
        const auto shown = MakeWindow(window);
        QVERIFY(ShowActive(shown.get()));
        for (auto it = input.cbegin(); it != input.cend(); ++it) {
            if (auto* list = shown->findChild<QComboBox*>(it.key())) {
                list->setCurrentText(it.value());
            } else {
                Find<QLineEdit>(shown.get(), it.key())->setText(it.value());
            }
        }
        auto* button = shown->findChild<QPushButton*>(); // the window's one button
        button->setFocus();
        button->click();
        for (auto it = results.cbegin(); it != results.cend(); ++it) {
            auto* box = Find<QLineEdit>(shown.get(), it.key());
            QCOMPARE(box->text(), it.value());
            CheckWhole(box, it.value());
        }
    }
};

QTEST_MAIN(TextFitTest)
#include "TextFitTest.moc"
