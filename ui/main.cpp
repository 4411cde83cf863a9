#include "report/ReportLocation.hpp"
#include "report/SystemReportPlatform.hpp"
#include "ui/DesignLook.hpp"
#include "ui/Icons.hpp"
#include "ui/Shell.hpp"

#include <QApplication>
#include <cstdio>
#include <string_view>

namespace {

constexpr const char* kUsage = R"(Usage: korvane [--help | --version]

Shows Korvane's windows, which convert a position between latitude and longitude and UTM grid
coordinates on fourteen reference ellipsoids. See korvane(1), and korvane-batch(1) for
converting many points at once.
)";

// --help and --version answer on the terminal before any window, so no desktop is needed; every
// other argument is left to the windowing toolkit.
int AnswerOnTerminal(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            return std::fputs(kUsage, stdout) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
        }
        if (argument == "--version") {
            return std::puts("korvane " KORVANE_VERSION) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
        }
    }
    return -1;
}

} // namespace

int main(int argc, char** argv) {
    if (const int status = AnswerOnTerminal(argc, argv); status >= 0) {
        return status;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvane"));
    QApplication::setApplicationVersion(QStringLiteral(KORVANE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.korvane.Korvane"));
    QApplication::setWindowIcon(korvane::ui::ProgramIcon());
    korvane::ui::InstallDesignLook();

    korvane::SystemReportPlatform reportPlatform;
    korvane::ui::Shell shell(reportPlatform, korvane::DefaultReportPath,
                             [] { QCoreApplication::exit(0); });
    shell.Start();
    return QApplication::exec();
}
