#include "ui/Shell.hpp"

#include "geodesy/DatumTable.hpp"
#include "report/DownloadDatum.hpp"
#include "ui/FrmConvert1.hpp"
#include "ui/FrmConvert2.hpp"
#include "ui/SystemSeparators.hpp"

namespace korvane::ui {

Shell::Shell(ReportPlatform& reportPlatform, std::function<std::string()> reportPath,
             std::function<void()> endProgram)
    : reportPlatform_(reportPlatform), reportPath_(std::move(reportPath)),
      endProgram_(std::move(endProgram)) {}

void Shell::Start() {
    ShowLatLongWindow();
}

void Shell::ShowLatLongWindow() {
    Show(new FrmConvert1);
}

void Shell::ShowUtmWindow() {
    Show(new FrmConvert2);
}

void Shell::DownloadDatum() {
    korvane::DownloadDatum(reportPlatform_, reportPath_(), StandardDatumTable(),
                           SystemSeparators().decimal);
}

void Shell::Show(ConverterWindow* window) {
    const bool toUtm = qobject_cast<FrmConvert1*>(window) != nullptr;
    connect(window, &ConverterWindow::datumReportRequested, this, &Shell::DownloadDatum);
    connect(window, &ConverterWindow::endRequested, this, [this] { endProgram_(); });
    connect(window, &ConverterWindow::switchRequested, this,
            toUtm ? &Shell::ShowUtmWindow : &Shell::ShowLatLongWindow);
    // The window left vanishes with everything typed into it. It is deleted once its menu
    // handler has returned; the new one is shown first so that the program never has no
    // window and does not take that moment for the end.
    if (ConverterWindow* left = shown_) {
        left->disconnect(this);
        left->hide();
        left->deleteLater();
    }
    shown_ = window;
    window->show();
    window->activateWindow();
}

} // namespace korvane::ui
