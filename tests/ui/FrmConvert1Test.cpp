#include "ui/FrmConvert1.hpp"

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

class FrmConvert1Test : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { InstallDesignLook(); }
    void init() {
        window = new FrmConvert1;
        QVERIFY(ShowActive(window));
    }
    void cleanup() { delete window; }

    void designValuesAfterLoad() {
        QCOMPARE(window->windowTitle(), QStringLiteral("Convert Lat, Long"));
        QCOMPARE(window->centralWidget()->size(), QSize(390, 288));
        QCOMPARE(window->centralWidget()->palette().color(QPalette::Window), QColor(0, 150, 150));
        const std::pair<const char*, const char*> texts[] = {
            {"TxtLat(0)", "15"},  {"TxtLat(1)", "52"}, {"TxtLat(2)", "31.11"},
            {"TxtLong(0)", "44"}, {"TxtLong(1)", "5"}, {"TxtLong(2)", "16.11"},
            {"Text1", ""},        {"Text2", ""},       {"TxtM", ""}};
        for (const auto& [name, text] : texts) {
            QCOMPARE(Find<QLineEdit>(window, name)->text(), QString::fromLatin1(text));
        }
        QCOMPARE(Find<QComboBox>(window, "Combo1")->currentText(), QStringLiteral("N"));
        QCOMPARE(Find<QComboBox>(window, "Combo2")->currentText(), QStringLiteral("E"));
        QCOMPARE(Find<QComboBox>(window, "Combo3")->currentText(), QStringLiteral("WGS 84"));
        QCOMPARE(Find<QLabel>(window, "LabZ")->text(), QStringLiteral("----"));
        QCOMPARE(Find<QLabel>(window, "LabZm")->text(), QStringLiteral("----"));
        QCOMPARE(Find<QGroupBox>(window, "Frame2")->title(), QStringLiteral("  Lat, Long "));
        QCOMPARE(Find<QGroupBox>(window, "Frame1")->title(), QStringLiteral("  UTM "));
        QCOMPARE(Find<QPushButton>(window, "Command1")->text(), QStringLiteral("Convert to UTM"));
        QCOMPARE(Find<QLabel>(window, "Label5")->palette().color(QPalette::WindowText),
                 QColor(0, 0, 255));
    }

    void geometry_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("twips");
        GeometryRow("TxtLat(0)", "Frame2", QRect(990, 375, 435, 330));
        GeometryRow("TxtLat(1)", "Frame2", QRect(1437, 375, 350, 330));
        GeometryRow("TxtLat(2)", "Frame2", QRect(1800, 375, 600, 330));
        GeometryRow("Combo1", "Frame2", QRect(2385, 360, 600, 345));
        GeometryRow("TxtLong(0)", "Frame2", QRect(990, 795, 435, 330));
        GeometryRow("TxtLong(1)", "Frame2", QRect(1437, 795, 350, 330));
        GeometryRow("TxtLong(2)", "Frame2", QRect(1800, 795, 600, 330));
        GeometryRow("Combo2", "Frame2", QRect(2385, 780, 600, 345));
        GeometryRow("Combo3", "Frame2", QRect(3060, 780, 2220, 345));
        GeometryRow("Command1", "client", QRect(2160, 2010, 1500, 315));
        GeometryRow("Frame1", "client", QRect(825, 2460, 4200, 1125));
        GeometryRow("Text1", "Frame1", QRect(1080, 240, 1410, 330));
        GeometryRow("Text2", "Frame1", QRect(1080, 660, 1410, 330));
        GeometryRow("Frame2", "client", QRect(195, 400, 5460, 1365));
        GeometryRow("TxtM", "client", QRect(2700, 3870, 2400, 345));
        // Labels size themselves to their captions: only their corner is fixed.
        GeometryRow("Label3", "Frame1", QRect(405, 720, 0, 0));
        GeometryRow("Label4", "Frame1", QRect(315, 300, 0, 0));
        GeometryRow("LabZm", "Frame1", QRect(2610, 705, 0, 0));
        GeometryRow("LabZ", "Frame1", QRect(2610, 285, 0, 0));
        GeometryRow("Label5", "client", QRect(630, 90, 0, 0));
        GeometryRow("Label1", "Frame2", QRect(240, 435, 0, 0));
        GeometryRow("Label2", "Frame2", QRect(90, 855, 0, 0));
        GeometryRow("Label7", "Frame2", QRect(3600, 480, 0, 0));
        GeometryRow("Label6", "client", QRect(720, 3930, 0, 0));
    }
    void geometry() {
        QFETCH(QString, name);
        QFETCH(QString, parent);
        QFETCH(QRect, twips);
        CheckDesignGeometry(window, name, parent, twips);
    }

    void fonts() {
        const QFont plain = Find<QLabel>(window, "Label1")->font();
        QCOMPARE(plain.family(), QStringLiteral("Arial"));
        QCOMPARE(plain.pointSizeF(), 9.0);
        QVERIFY(plain.bold());
        for (const char* name : {"LabZ", "LabZm", "Label5"}) {
            QCOMPARE(Find<QLabel>(window, name)->font().pointSizeF(), 9.75);
            QVERIFY(Find<QLabel>(window, name)->font().bold());
        }
    }

    void menuBar() {
        const auto actions = window->menuBar()->actions();
        QCOMPARE(actions.size(), 2);
        QCOMPARE(actions[0]->text(), QStringLiteral(u"\u0645\u0644\u0641"));
        QMenu* file = actions[0]->menu();
        QVERIFY(file != nullptr);
        QCOMPARE(file->actions().size(), 2);
        QCOMPARE(file->actions()[0]->text(), QStringLiteral("Data Datum"));
        QCOMPARE(file->actions()[0]->objectName(), QStringLiteral("Datum"));
        QCOMPARE(file->actions()[1]->text(), QStringLiteral(u"\u0625\u063A\u0644\u0627\u0642"));
        QCOMPARE(file->actions()[1]->objectName(), QStringLiteral("Closed"));
        QCOMPARE(actions[1]->text(), QStringLiteral("Convert UTM"));
        QCOMPARE(actions[1]->objectName(), QStringLiteral("UTMc"));
        QVERIFY(actions[1]->menu() == nullptr); // a command on the bar, no drop-down
    }

    void tooltips() {
        const QString expected =
            QStringLiteral(u"\u0627\u0644\u0634\u0628\u0643\u0629 "
                           u"\u0627\u0644\u0639\u0633\u0643\u0631\u064A\u0629 ");
        QCOMPARE(expected.size(), 16);
        QCOMPARE(Find<QLabel>(window, "Label6")->toolTip(), expected);
        QCOMPARE(Find<QLineEdit>(window, "TxtM")->toolTip(), expected);
    }

    void openingSelectsTheFirstBox() {
        auto* degrees = Find<QLineEdit>(window, "TxtLat(0)");
        QCOMPARE(QApplication::focusWidget(), degrees);
        Settle();
        QCOMPARE(degrees->selectedText(), QStringLiteral("15"));
        QTest::keyClick(degrees, Qt::Key_7);
        QCOMPARE(degrees->text(), QStringLiteral("7"));
    }

    void tabOrder() {
        const char* order[] = {"TxtLat(1)",  "TxtLat(2)", "Combo1",   "TxtLong(0)", "TxtLong(1)",
                               "TxtLong(2)", "Combo2",    "Combo3",   "Command1",   "Text1",
                               "Text2",      "TxtM",      "TxtLat(0)"};
        for (const char* name : order) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
        }
    }

    void enteringAnInputBoxSelectsAllOfIt_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("byMouse");
        for (const char* name : {"TxtLat(1)", "TxtLat(2)", "TxtLong(0)", "TxtLong(2)"}) {
            QTest::addRow("%s by Tab", name) << QString::fromLatin1(name) << false;
            QTest::addRow("%s by mouse", name) << QString::fromLatin1(name) << true;
        }
    }
    void enteringAnInputBoxSelectsAllOfIt() {
        QFETCH(QString, name);
        QFETCH(bool, byMouse);
        auto* box = Find<QLineEdit>(window, name);
        if (byMouse) {
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(3, box->height() / 2));
        } else {
            while (QApplication::focusWidget() != box) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
        }
        Settle();
        QCOMPARE(QApplication::focusWidget(), box);
        QCOMPARE(box->selectedText(), box->text());
    }

    void anEmptyBoxGetsAnEmptySelection() {
        auto* seconds = Find<QLineEdit>(window, "TxtLat(2)");
        seconds->clear();
        QTest::mouseClick(seconds, Qt::LeftButton);
        Settle();
        QCOMPARE(seconds->selectedText(), QString());
    }

    void characterLimits_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("limit");
        QTest::newRow("TxtLat(0)") << "TxtLat(0)" << 2;
        QTest::newRow("TxtLat(1)") << "TxtLat(1)" << 2;
        QTest::newRow("TxtLat(2)") << "TxtLat(2)" << 6;
        QTest::newRow("TxtLong(0)") << "TxtLong(0)" << 3;
        QTest::newRow("TxtLong(1)") << "TxtLong(1)" << 2;
        QTest::newRow("TxtLong(2)") << "TxtLong(2)" << 6;
    }
    void characterLimits() {
        QFETCH(QString, name);
        QFETCH(int, limit);
        auto* box = Find<QLineEdit>(window, name);
        box->clear();
        QTest::keyClicks(box, QStringLiteral("1234567890"));
        QCOMPARE(box->text(), QStringLiteral("1234567890").left(limit));
    }

    void resultBoxesCannotBeTypedInto() {
        for (const char* name : {"Text1", "Text2", "TxtM"}) {
            auto* box = Find<QLineEdit>(window, name);
            QVERIFY(box->isReadOnly());
            QTest::keyClicks(box, QStringLiteral("abc"));
            QCOMPARE(box->text(), QString());
        }
    }

    void listsOfferOnlyTheirItems() {
        auto* combo1 = Find<QComboBox>(window, "Combo1");
        auto* combo2 = Find<QComboBox>(window, "Combo2");
        auto* combo3 = Find<QComboBox>(window, "Combo3");
        for (auto* list : {combo1, combo2, combo3}) {
            QVERIFY(!list->isEditable());
        }
        QCOMPARE(combo1->count(), 2);
        QCOMPARE(combo1->itemText(1), QStringLiteral("S"));
        QCOMPARE(combo2->count(), 2);
        QCOMPARE(combo2->itemText(1), QStringLiteral("W"));
        QCOMPARE(combo3->count(), 14);
        QCOMPARE(combo3->itemText(13), QStringLiteral("Everest 1830"));
        combo1->setFocus();
        QTest::keyClicks(combo1, QStringLiteral("X"));
        QCOMPARE(combo1->currentText(), QStringLiteral("N"));
    }

    void convertsThroughTheWidgets_data() {
        QTest::addColumn<QStringList>("latitude");
        QTest::addColumn<QStringList>("longitude");
        QTest::addColumn<int>("latitudeHemisphere");
        QTest::addColumn<int>("longitudeHemisphere");
        QTest::addColumn<QStringList>("outputs"); // Text1, Text2, LabZ, LabZm, TxtM
        QTest::newRow("default") << QStringList{"15", "52", "31.11"}
                                 << QStringList{"44", "5", "16.11"} << 0 << 0
                                 << QStringList{"1,755,355.43", "402,339.35", "Zone  38 P",
                                                "Zone CM   45", "38 P   MC  02339  55355"};
        QTest::newRow("S and W") << QStringList{"15", "52", "31.11"}
                                 << QStringList{"44", "5", "16.11"} << 1 << 1
                                 << QStringList{"8,244,644.57", "597,660.65", "Zone  23 L",
                                                "Zone CM   -45", "23 L   NC  97660  44644"};
        QTest::newRow("empty") << QStringList{"", "", ""} << QStringList{"", "", ""} << 0 << 0
                               << QStringList{".", "166,021.55", "Zone  31 N", "Zone CM   3",
                                              "31 N   AA  66021  00000"};
        QTest::newRow("out of range") << QStringList{"91", "", ""} << QStringList{"44", "", ""} << 0
                                      << 0 << QStringList{"Error", "Error", "----", "----", ""};
    }
    void convertsThroughTheWidgets() {
        QFETCH(QStringList, latitude);
        QFETCH(QStringList, longitude);
        QFETCH(int, latitudeHemisphere);
        QFETCH(int, longitudeHemisphere);
        QFETCH(QStringList, outputs);
        for (int i = 0; i < 3; ++i) {
            auto* lat = Find<QLineEdit>(window, Indexed("TxtLat", i));
            lat->clear();
            QTest::keyClicks(lat, latitude[i]);
            auto* lon = Find<QLineEdit>(window, Indexed("TxtLong", i));
            lon->clear();
            QTest::keyClicks(lon, longitude[i]);
        }
        Find<QComboBox>(window, "Combo1")->setCurrentIndex(latitudeHemisphere);
        Find<QComboBox>(window, "Combo2")->setCurrentIndex(longitudeHemisphere);
        QTest::mouseClick(Find<QPushButton>(window, "Command1"), Qt::LeftButton);
        QCOMPARE(Find<QLineEdit>(window, "Text1")->text(), outputs[0]);
        QCOMPARE(Find<QLineEdit>(window, "Text2")->text(), outputs[1]);
        QCOMPARE(Find<QLabel>(window, "LabZ")->text(), outputs[2]);
        QCOMPARE(Find<QLabel>(window, "LabZm")->text(), outputs[3]);
        QCOMPARE(Find<QLineEdit>(window, "TxtM")->text(), outputs[4]);
        QVERIFY(Find<QGroupBox>(window, "Frame1")->isVisible());
    }

    void labelsWidenToTheRightForLongerCaptions() {
        auto* zone = Find<QLabel>(window, "LabZ");
        const QRect before = zone->geometry();
        QTest::keyClick(window, Qt::Key_Return); // Enter presses the button
        QCOMPARE(zone->text(), QStringLiteral("Zone  38 P"));
        QCOMPARE(zone->pos(), before.topLeft());
        QVERIFY(zone->width() > before.width());
        QVERIFY(zone->width() >= zone->fontMetrics().horizontalAdvance(zone->text()));
    }

  private:
    FrmConvert1* window = nullptr;
};

QTEST_MAIN(FrmConvert1Test)
#include "FrmConvert1Test.moc"
