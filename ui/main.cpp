#include "report/ReportLocation.hpp"
#include "report/SystemReportPlatform.hpp"
#include "ui/DesignControls.hpp"
#include "ui/Shell.hpp"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvane"));
    QApplication::setDesktopFileName(QStringLiteral("korvane"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/utm-48.png")));
    korvane::ui::InstallFontSubstitutes();

    korvane::SystemReportPlatform reportPlatform;
    korvane::ui::Shell shell(reportPlatform, korvane::DefaultReportPath,
                             [] { QCoreApplication::exit(0); });
    shell.Start();
    return QApplication::exec();
}
