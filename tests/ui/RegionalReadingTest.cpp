#include "WindowProbe.hpp"
#include "support/FakeUtmWindow.hpp"
#include "ui/SystemSeparators.hpp"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <clocale>

using namespace korvane::ui;

namespace {

// Types each "Box=text" into its box as a user would, the box emptied first; text beyond Latin-1,
// which QTest cannot type, is pasted.
void Type(QWidget* window, const QStringList& typed) {
    for (const QString& entry : typed) {
        const qsizetype equals = entry.indexOf('=');
        auto* box = Find<QLineEdit>(window, entry.left(equals));
        const QString text = entry.mid(equals + 1);
        box->clear();
        if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 256; })) {
            QTest::keyClicks(box, text);
        } else {
            box->insert(text);
        }
    }
}

// Each "Box=text" of the list that the box does not show, as "Box=what it shows".
QStringList Differences(QWidget* window, const QStringList& expected) {
    QStringList differences;
    for (const QString& entry : expected) {
        const qsizetype equals = entry.indexOf('=');
        const QString shown = Find<QLineEdit>(window, entry.left(equals))->text();
        if (shown != entry.mid(equals + 1)) {
            differences << entry.left(equals) + '=' + shown;
        }
    }
    return differences;
}

void Convert(QWidget* window) {
    QTest::mouseClick(window->findChild<QPushButton*>(), Qt::LeftButton);
}

// The locale of a row: set for the test with QLocale::setDefault, or the system's own, which only
// a run under that locale has (see under-locale.sh); elsewhere that row is skipped.
bool UseLocale(const QString& name, bool system) {
    if (!system) {
        QLocale::setDefault(QLocale(name));
        return true;
    }
    return QLocale::system().name() == name;
}

const char* const kGermanLatLong[] = {"Text1=1.755.355,43", "Text2=402.339,35",
                                      "TxtM=38 P   MC  02339  55355"};

} // namespace

// Numbers typed with the regional decimal separator, in the windows, under a locale set for the
// test and under the system's own German locale.
class RegionalReadingTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        InstallDesignLook();
        const QLocale system = QLocale::system();
        qInfo("system locale %s: group separator U+%04X, decimal separator U+%04X; the C "
              "library's numbers: %s",
              qPrintable(system.name()), system.groupSeparator().front().unicode(),
              system.decimalPoint().front().unicode(), std::setlocale(LC_NUMERIC, nullptr));
    }
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    void typedNumbersConvert_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("system");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("shown");
        const QStringList german(std::begin(kGermanLatLong), std::end(kGermanLatLong));
        const QStringList utm = {"TxtLat(0)=15",
                                 "TxtLat(1)=52",
                                 "TxtLat(2)=31",
                                 "TxtLong(0)=44",
                                 "TxtLong(1)=5",
                                 "TxtLong(2)=16",
                                 "TxtM=38 P   MC  02336  55352"};
        for (const bool system : {false, true}) {
            const char* how = system ? "system" : "set";
            QTest::addRow("%s de_DE: seconds with a comma", how)
                << "de_DE" << system << "FrmConvert1"
                << QStringList{"TxtLat(2)=31,11", "TxtLong(2)=16,11"} << german;
            QTest::addRow("%s de_DE: seconds with a point", how)
                << "de_DE" << system << "FrmConvert1"
                << QStringList{"TxtLat(2)=31.11", "TxtLong(2)=16.11"} << german;
            QTest::addRow("%s de_DE: grouped UTM", how)
                << "de_DE" << system << "FrmConvert2"
                << QStringList{"Text1(0)=1.755.352,1", "Text1(1)=402.336,0", "Text1(2)=38"} << utm;
        }
        QTest::newRow("set fr_FR: seconds with a comma")
            << "fr_FR" << false << "FrmConvert1"
            << QStringList{"TxtLat(2)=31,11", "TxtLong(2)=16,11"}
            << QStringList{QStringLiteral(u"Text1=1\u202F755\u202F355,43"),
                           QStringLiteral(u"Text2=402\u202F339,35"),
                           "TxtM=38 P   MC  02339  55355"};
        QTest::newRow("set fr_FR: grouped UTM")
            << "fr_FR" << false << "FrmConvert2"
            << QStringList{QStringLiteral(u"Text1(0)=1\u202F755\u202F352,1"),
                           QStringLiteral(u"Text1(1)=402\u202F336,0"), "Text1(2)=38"}
            << utm;
        // Where the point is ".", a comma still ends the number: 31 and 16 seconds.
        QTest::newRow("set en_US: a comma ends the number")
            << "en_US" << false << "FrmConvert1"
            << QStringList{"TxtLat(2)=31,11", "TxtLong(2)=16,11"}
            << QStringList{"Text1=1,755,352.06", "Text2=402,336.06",
                           "TxtM=38 P   MC  02336  55352"};
    }
    void typedNumbersConvert() {
        QFETCH(QString, locale);
        QFETCH(bool, system);
        QFETCH(QString, window);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, shown);
        if (!UseLocale(locale, system)) {
            QSKIP("needs the system's own locale: run through under-locale.sh");
        }
        const auto converter = MakeWindow(window);
        QVERIFY(ShowActive(converter.get()));
        Type(converter.get(), typed);
        Convert(converter.get());
        const QStringList differences = Differences(converter.get(), shown);
        QVERIFY2(differences.isEmpty(), qPrintable(differences.join(" | ")));
    }

    // What the Lat/Long window shows, typed into the UTM window, gives the position back. The
    // northing box holds eleven characters, so the grouped northing loses its last digit there.
    void theUtmWindowReadsWhatTheLatLongWindowShows_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("system");
        QTest::newRow("set de_DE") << "de_DE" << false;
        QTest::newRow("set fr_FR") << "fr_FR" << false;
        QTest::newRow("system de_DE") << "de_DE" << true;
    }
    void theUtmWindowReadsWhatTheLatLongWindowShows() {
        QFETCH(QString, locale);
        QFETCH(bool, system);
        if (!UseLocale(locale, system)) {
            QSKIP("needs the system's own locale: run through under-locale.sh");
        }
        FrmConvert1 latLong;
        QVERIFY(ShowActive(&latLong));
        Convert(&latLong);
        const QString northing = Find<QLineEdit>(&latLong, "Text1")->text();
        const QString easting = Find<QLineEdit>(&latLong, "Text2")->text();
        QCOMPARE(northing.size(), 12);
        FrmConvert2 utm;
        QVERIFY(ShowActive(&utm));
        Type(&utm, {"Text1(0)=" + northing, "Text1(1)=" + easting});
        QCOMPARE(Find<QLineEdit>(&utm, "Text1(0)")->text(), northing.left(11));
        Convert(&utm);
        const QString comma = QLocale().decimalPoint();
        const QStringList back = {"TxtLat(0)=15",
                                  "TxtLat(1)=52",
                                  "TxtLat(2)=31" + comma + "11",
                                  "TxtLong(0)=44",
                                  "TxtLong(1)=5",
                                  "TxtLong(2)=16" + comma + "11",
                                  "TxtM=38 P   MC  02339  55355"};
        const QStringList differences = Differences(&utm, back);
        QVERIFY2(differences.isEmpty(), qPrintable(differences.join(" | ")));
    }

    // Under the real German locale: what Qt and the C library report, and the whole grouped
    // northing, which the UTM window's box cannot hold, read by its command with those separators.
    void theSystemsGermanLocale() {
        if (QLocale::system().name() != QStringLiteral("de_DE")) {
            QSKIP("needs the system's own German locale: run through under-locale.sh");
        }
        QCOMPARE(QLocale::system().groupSeparator(), QStringLiteral("."));
        QCOMPARE(QLocale::system().decimalPoint(), QStringLiteral(","));
        QVERIFY2(QByteArray(std::setlocale(LC_NUMERIC, nullptr)).startsWith("de_DE"),
                 "the C library did not load the German locale");
        const korvane::RegionalSeparators separators = SystemSeparators();
        QCOMPARE(separators.group, std::string("."));
        QCOMPARE(separators.decimal, std::string(","));
        korvane::FakeUtmWindow window;
        window.text1 = {"1.755.355,43", "402.339,35", "38"};
        korvane::RunUtmCommand(window, separators);
        QCOMPARE(window.latitude[2], std::string("31,11"));
        QCOMPARE(window.longitude[2], std::string("16,11"));
        QCOMPARE(window.txtM, std::string("38 P   MC  02339  55355"));
    }
};

QTEST_MAIN(RegionalReadingTest)
#include "RegionalReadingTest.moc"
