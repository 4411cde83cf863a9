#include "ui/Shell.hpp"

#include "WindowProbe.hpp"
#include "geodesy/DatumTable.hpp"
#include "report/DatumReport.hpp"
#include "report/ReportPlatform.hpp"
#include "report/SystemReportPlatform.hpp"
#include "ui/DesignControls.hpp"
#include "ui/FrmConvert1.hpp"
#include "ui/FrmConvert2.hpp"
#include "ui/Icons.hpp"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

using namespace korvane;
using namespace korvane::ui;

namespace {

// Keeps the report in memory and records whether the viewer was started.
struct MemoryReportPlatform : ReportPlatform {
    std::vector<std::string> reports;
    std::string writing;
    int viewersStarted = 0;

    bool DeleteFile(const std::string&) override { return true; }
    bool OpenForWriting(const std::string&) override {
        writing.clear();
        return true;
    }
    bool Write(const std::string& text) override {
        writing += text;
        return true;
    }
    bool Close() override {
        reports.push_back(writing);
        return true;
    }
    bool StartViewer(const std::string&) override {
        ++viewersStarted;
        return true;
    }
};

// The real file operations, with the viewer only counted.
struct DiskReportPlatform : SystemReportPlatform {
    int viewersStarted = 0;
    bool StartViewer(const std::string&) override {
        ++viewersStarted;
        return true;
    }
};

template <typename Window> int CountWindows() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        count += qobject_cast<Window*>(widget) != nullptr ? 1 : 0;
    }
    return count;
}

void Trigger(QWidget* window, const char* action) {
    window->findChild<QAction*>(QString::fromLatin1(action))->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Runs the event loop until the program ends it; 1 if it did not end within five seconds.
int ExecWithTimeout() {
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    timeout.start(5000);
    return QCoreApplication::exec();
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { InstallDesignLook(); }
    void init() {
        platform = std::make_unique<MemoryReportPlatform>();
        ended = 0;
        shell = std::make_unique<Shell>(
            *platform, [] { return std::string("Datum.txt"); },
            [this] {
                ++ended;
                QCoreApplication::exit(0); // as the program does
            });
        shell->Start();
        QVERIFY(QTest::qWaitForWindowExposed(shell->ShownWindow()));
    }
    void cleanup() {
        delete shell->ShownWindow();
        shell.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void startsOnTheLatLongWindowAlone() {
        QVERIFY(qobject_cast<FrmConvert1*>(shell->ShownWindow()) != nullptr);
        QCOMPARE(CountWindows<FrmConvert1>(), 1);
        QCOMPARE(CountWindows<FrmConvert2>(), 0);
    }

    // The icons are compiled into a static library: they reach the program and each window.
    void theProgramAndEachWindowHaveTheirIcons() {
        const QIcon program = ProgramIcon();
        QVERIFY(!program.isNull());
        QList<QSize> sizes;
        for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
            sizes.append(QSize(size, size));
        }
        QCOMPARE(program.availableSizes(), sizes);
        const QList<QSize> latlong = {QSize(32, 32), QSize(48, 48)};
        QCOMPARE(shell->ShownWindow()->windowIcon().availableSizes(), latlong);
        Trigger(shell->ShownWindow(), "UTMc");
        QCOMPARE(shell->ShownWindow()->windowIcon().availableSizes(), sizes);
    }

    void switchingShowsTheOtherWindowFromItsDesignValues() {
        auto* latitude = Find<QLineEdit>(shell->ShownWindow(), "TxtLat(0)");
        latitude->setText(QStringLiteral("33"));
        Trigger(shell->ShownWindow(), "UTMc");
        QVERIFY(qobject_cast<FrmConvert2*>(shell->ShownWindow()) != nullptr);
        QCOMPARE(CountWindows<FrmConvert1>(), 0);
        QCOMPARE(CountWindows<FrmConvert2>(), 1);

        // Convert on the UTM window, go back and forth: both start afresh.
        QTest::mouseClick(Find<QPushButton>(shell->ShownWindow(), "Command2"), Qt::LeftButton);
        QCOMPARE(Find<QLineEdit>(shell->ShownWindow(), "TxtM")->text(),
                 QStringLiteral("38 P   MC  02336  55352"));
        Trigger(shell->ShownWindow(), "Latc");
        QVERIFY(qobject_cast<FrmConvert1*>(shell->ShownWindow()) != nullptr);
        QCOMPARE(Find<QLineEdit>(shell->ShownWindow(), "TxtLat(0)")->text(), QStringLiteral("15"));
        QCOMPARE(Find<QLineEdit>(shell->ShownWindow(), "Text1")->text(), QString());
        QCOMPARE(CountWindows<FrmConvert2>(), 0);
        Trigger(shell->ShownWindow(), "UTMc");
        QCOMPARE(Find<QLineEdit>(shell->ShownWindow(), "TxtM")->text(), QString());
        QCOMPARE(Find<QLineEdit>(shell->ShownWindow(), "TxtLat(1)")->text(), QStringLiteral(" "));
    }

    void dataDatumWritesTheSameReportFromEitherWindow() {
        Trigger(shell->ShownWindow(), "Datum");
        Trigger(shell->ShownWindow(), "UTMc");
        Trigger(shell->ShownWindow(), "DatumD");
        QCOMPARE(platform->reports.size(), std::size_t{2});
        QCOMPARE(platform->reports[0], DatumReportText(StandardDatumTable(), "."));
        QCOMPARE(platform->reports[1], platform->reports[0]);
        QCOMPARE(platform->viewersStarted, 2);
    }

    void closeEndsTheProgramFromEitherWindow() {
        Trigger(shell->ShownWindow(), "Closed");
        QCOMPARE(ended, 1);
        Trigger(shell->ShownWindow(), "UTMc");
        Trigger(shell->ShownWindow(), "Closed");
        QCOMPARE(ended, 2);
    }

    void closeLeavesTheRunningEventLoop() {
        QWidget* window = shell->ShownWindow();
        QTimer::singleShot(0, window, [window] { Trigger(window, "Closed"); });
        QCOMPARE(ExecWithTimeout(), 0);
        QCOMPARE(ended, 1);
    }

    void closingTheShownWindowEndsTheEventLoop() {
        Trigger(shell->ShownWindow(), "UTMc");
        QPointer<ConverterWindow> shown = shell->ShownWindow();
        QTimer::singleShot(0, shown, [shown] { shown->close(); });
        QCOMPARE(ExecWithTimeout(), 0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(shown.isNull());
    }

    void aReportThatCannotBeWrittenLeavesTheWindowsUsable() {
        const std::string unwritable[] = {"/proc/korvane/Datum.txt", "/proc", "/dev/full"};
        for (const std::string& path : unwritable) {
            DiskReportPlatform disk;
            Shell failing(
                disk, [path] { return path; }, [] {});
            failing.Start();
            Trigger(failing.ShownWindow(), "Datum");
            Trigger(failing.ShownWindow(), "UTMc");
            Trigger(failing.ShownWindow(), "DatumD");
            QCOMPARE(disk.viewersStarted, 0);
            QTest::mouseClick(Find<QPushButton>(failing.ShownWindow(), "Command2"), Qt::LeftButton);
            QCOMPARE(Find<QLineEdit>(failing.ShownWindow(), "TxtM")->text(),
                     QStringLiteral("38 P   MC  02336  55352"));
            QVERIFY(failing.ShownWindow()->isVisible());
            delete failing.ShownWindow();
        }
        QVERIFY(std::filesystem::is_character_file("/dev/full"));
    }

  private:
    std::unique_ptr<MemoryReportPlatform> platform;
    std::unique_ptr<Shell> shell;
    int ended = 0;
};

QTEST_MAIN(ShellTest)
#include "ShellTest.moc"
