#include "ui/FrmConvert2.hpp"

#include "WindowProbe.hpp"
#include "ui/DesignControls.hpp"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

using namespace korvane::ui;

class FrmConvert2Test : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { InstallDesignLook(); }
    void init() {
        window = new FrmConvert2;
        QVERIFY(ShowActive(window));
    }
    void cleanup() { delete window; }

    void designValuesAfterLoad() {
        QCOMPARE(window->windowTitle(), QStringLiteral("Convert UTM"));
        QCOMPARE(window->centralWidget()->size(), QSize(390, 288));
        const std::pair<const char*, const char*> texts[] = {
            {"Text1(0)", "1755352.105"}, {"Text1(1)", "402336.0"}, {"Text1(2)", "38"},
            {"TxtLat(0)", ""},           {"TxtLat(1)", " "},       {"TxtLat(2)", " "},
            {"TxtLat(3)", " "},          {"TxtLong(0)", " "},      {"TxtLong(1)", " "},
            {"TxtLong(2)", ""},          {"TxtLong(3)", " "},      {"TxtM", ""}};
        for (const auto& [name, text] : texts) {
            QCOMPARE(Find<QLineEdit>(window, name)->text(), QString::fromLatin1(text));
        }
        QCOMPARE(Find<QComboBox>(window, "Combo1")->currentText(), QStringLiteral("N"));
        QCOMPARE(Find<QComboBox>(window, "Combo3")->currentText(), QStringLiteral("WGS 84"));
        QCOMPARE(Find<QPushButton>(window, "Command2")->text(),
                 QStringLiteral("Convert to  Lat, Long"));
        QCOMPARE(Find<QGroupBox>(window, "Frame1")->title(), QStringLiteral("  UTM "));
        QCOMPARE(Find<QGroupBox>(window, "Frame2")->title(), QStringLiteral("  Lat, Long "));
        QCOMPARE(Find<QLabel>(window, "Label5")->text(),
                 QStringLiteral("Convert UTM to Lat, Long"));
    }

    void geometry_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("twips");
        GeometryRow("Text1(0)", "Frame1", QRect(990, 270, 1300, 330));
        GeometryRow("Combo1", "Frame1", QRect(2340, 270, 600, 315));
        GeometryRow("Text1(1)", "Frame1", QRect(990, 660, 1300, 330));
        GeometryRow("Text1(2)", "Frame1", QRect(990, 1050, 1300, 330));
        GeometryRow("Combo3", "Frame1", QRect(2745, 1035, 2220, 345));
        GeometryRow("Command2", "client", QRect(1838, 2010, 2175, 315));
        GeometryRow("Frame1", "client", QRect(360, 400, 5100, 1515));
        GeometryRow("Frame2", "client", QRect(825, 2460, 4200, 1125));
        GeometryRow("TxtLong(1)", "Frame2", QRect(1845, 660, 350, 330));
        GeometryRow("TxtLong(2)", "Frame2", QRect(2205, 660, 645, 330));
        GeometryRow("TxtLong(0)", "Frame2", QRect(1485, 660, 350, 330));
        GeometryRow("TxtLat(2)", "Frame2", QRect(2205, 240, 645, 330));
        GeometryRow("TxtLat(1)", "Frame2", QRect(1845, 240, 350, 330));
        GeometryRow("TxtLat(0)", "Frame2", QRect(1485, 240, 350, 330));
        GeometryRow("TxtLong(3)", "Frame2", QRect(2880, 660, 330, 330));
        GeometryRow("TxtLat(3)", "Frame2", QRect(2880, 240, 330, 330));
        GeometryRow("TxtM", "client", QRect(2700, 3870, 2400, 345));
    }
    void geometry() {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QRect, twips);
        CheckDesignGeometry(window, name, parent, twips);
    }

    void labelsAndFonts() {
        const std::tuple<const char*, const char*, int, int> labels[] = {
            {"Label6", "Frame1", 435, 1110}, {"Label7", "Frame1", 3285, 765},
            {"Label3", "Frame1", 225, 720},  {"Label4", "Frame1", 135, 330},
            {"Label5", "client", 630, 90},   {"Label2", "Frame2", 585, 720},
            {"Label1", "Frame2", 735, 300},  {"Label8", "client", 720, 3930}};
        for (const auto& [name, parent, left, top] : labels) {
            CheckDesignGeometry(window, name, parent, QRect(left, top, 0, 0));
        }
        // MS Sans Serif 8.25 for Combo1, Label4 and Frame2's caption; Arial 9 elsewhere.
        for (const char* name : {"Combo1", "Label4", "Frame2"}) {
            const QFont font = Find<QWidget>(window, name)->font();
            QCOMPARE(font.family(), QStringLiteral("MS Sans Serif"));
            QCOMPARE(font.pointSizeF(), 8.25);
        }
        for (const char* name : {"Label1", "TxtLat(0)", "Label6", "Text1(0)"}) {
            QCOMPARE(Find<QWidget>(window, name)->font().family(), QStringLiteral("Arial"));
        }
        QCOMPARE(Find<QLabel>(window, "Label5")->font().pointSizeF(), 9.75);
    }

    void menuBarAndTooltips() {
        const auto actions = window->menuBar()->actions();
        QCOMPARE(actions.size(), 2);
        QCOMPARE(actions[0]->menu()->actions()[0]->objectName(), QStringLiteral("DatumD"));
        QCOMPARE(actions[0]->menu()->actions()[0]->text(), QStringLiteral("Data Datum"));
        QCOMPARE(actions[0]->menu()->actions()[1]->objectName(), QStringLiteral("Closed"));
        QCOMPARE(actions[1]->text(), QStringLiteral("Convert Lat, Long"));
        QCOMPARE(actions[1]->objectName(), QStringLiteral("Latc"));
        QVERIFY(actions[1]->menu() == nullptr);
        QCOMPARE(Find<QLabel>(window, "Label8")->toolTip(), GridReferenceTooltip());
        QCOMPARE(Find<QLineEdit>(window, "TxtM")->toolTip(), GridReferenceTooltip());
    }

    void openingSelectsTheNorthing() {
        auto* northing = Find<QLineEdit>(window, "Text1(0)");
        QCOMPARE(QApplication::focusWidget(), northing);
        Settle();
        QCOMPARE(northing->selectedText(), QStringLiteral("1755352.105"));
        QTest::keyClick(northing, Qt::Key_5);
        QCOMPARE(northing->text(), QStringLiteral("5"));
    }

    void tabOrder() {
        const char* order[] = {"Combo1",     "Text1(1)",   "Text1(2)",   "Combo3",    "Command2",
                               "TxtLong(1)", "TxtLong(2)", "TxtLong(0)", "TxtLat(2)", "TxtLat(1)",
                               "TxtLat(0)",  "TxtLong(3)", "TxtLat(3)",  "TxtM",      "Text1(0)"};
        for (const char* name : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
        }
    }

    void onlyInputBoxesSelectOnEntry() {
        for (const char* name : {"Text1(1)", "Text1(2)"}) {
            auto* box = Find<QLineEdit>(window, name);
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(3, box->height() / 2));
            Settle();
            QCOMPARE(box->selectedText(), box->text());
        }
        QTest::mouseClick(Find<QPushButton>(window, "Command2"), Qt::LeftButton);
        auto* output = Find<QLineEdit>(window, "TxtLat(2)");
        QTest::mouseClick(output, Qt::LeftButton);
        Settle();
        QCOMPARE(output->selectedText(), QString());
        while (QApplication::focusWidget()->objectName() != QStringLiteral("TxtLong(1)")) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        Settle();
        QCOMPARE(Find<QLineEdit>(window, "TxtLong(1)")->selectedText(), QString());
    }

    void characterLimitsAndReadOnlyBoxes() {
        const std::pair<const char*, int> limits[] = {
            {"Text1(0)", 11}, {"Text1(1)", 10}, {"Text1(2)", 2}};
        for (const auto& [name, limit] : limits) {
            auto* box = Find<QLineEdit>(window, name);
            box->clear();
            QTest::keyClicks(box, QStringLiteral("123456789012345"));
            QCOMPARE(box->text().size(), limit);
        }
        for (const char* group : {"TxtLat", "TxtLong"}) {
            for (int i = 0; i < 4; ++i) {
                QVERIFY(Find<QLineEdit>(window, Indexed(group, i))->isReadOnly());
            }
        }
        QVERIFY(Find<QLineEdit>(window, "TxtM")->isReadOnly());
        QCOMPARE(Find<QComboBox>(window, "Combo1")->count(), 2);
        QVERIFY(!Find<QComboBox>(window, "Combo1")->isEditable());
        QCOMPARE(Find<QComboBox>(window, "Combo3")->count(), 14);
    }

    void convertsThroughTheWidgets_data() {
        QTest::addColumn<QStringList>("input");
        QTest::addColumn<int>("hemisphere");
        QTest::addColumn<QStringList>("latitude");
        QTest::addColumn<QStringList>("longitude");
        QTest::addColumn<QString>("grid");
        QTest::newRow("default") << QStringList{"1755352.105", "402336.0", "38"} << 0
                                 << QStringList{"15", "52", "31", "N"}
                                 << QStringList{"44", "5", "16", "E"} << "38 P   MC  02336  55352";
        QTest::newRow("south") << QStringList{"8244644.57", "597660.65", "23"} << 1
                               << QStringList{"15", "52", "31.11", "S"}
                               << QStringList{"44", "5", "16.11", "W"} << "23 L   NC  97660  44644";
        QTest::newRow("empty") << QStringList{"", "", ""} << 0 << QStringList{"0", "0", "0", "N"}
                               << QStringList{"187", "29", "19.48", "W"}
                               << "0 N   RF  00000  00000";
        QTest::newRow("unreadable northing")
            << QStringList{"9e999", "402336.0", "38"} << 0 << QStringList{"", "", "", ""}
            << QStringList{"", "", "", ""} << "Error";
    }
    void convertsThroughTheWidgets() {
        QFETCH(QStringList, input);
        QFETCH(int, hemisphere);
        QFETCH(QStringList, latitude);
        QFETCH(QStringList, longitude);
        QFETCH(QString, grid);
        for (int i = 0; i < 3; ++i) {
            auto* box = Find<QLineEdit>(window, Indexed("Text1", i));
            box->clear();
            QTest::keyClicks(box, input[i]);
        }
        Find<QComboBox>(window, "Combo1")->setCurrentIndex(hemisphere);
        QTest::mouseClick(Find<QPushButton>(window, "Command2"), Qt::LeftButton);
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(Find<QLineEdit>(window, Indexed("TxtLat", i))->text(), latitude[i]);
            QCOMPARE(Find<QLineEdit>(window, Indexed("TxtLong", i))->text(), longitude[i]);
        }
        QCOMPARE(Find<QLineEdit>(window, "TxtM")->text(), grid);
    }

  private:
    FrmConvert2* window = nullptr;
};

QTEST_MAIN(FrmConvert2Test)
#include "FrmConvert2Test.moc"
