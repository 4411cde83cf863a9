#pragma once

#include "ui/ConverterWindow.hpp"

#include <QObject>
#include <QPointer>
#include <functional>
#include <string>

namespace korvane {
class ReportPlatform;
}

namespace korvane::ui {

// Starts on the Lat/Long window and switches between the two windows: exactly one is shown at
// a time, and each is built afresh from its design values whenever it is shown.
class Shell : public QObject {
    Q_OBJECT

  public:
    Shell(ReportPlatform& reportPlatform, std::function<std::string()> reportPath,
          std::function<void()> endProgram);

    void Start();
    void ShowLatLongWindow();
    void ShowUtmWindow();

    // The datum report, the same from either window.
    void DownloadDatum();

    ConverterWindow* ShownWindow() const { return shown_; }

  private:
    void Show(ConverterWindow* window);

    ReportPlatform& reportPlatform_;
    std::function<std::string()> reportPath_;
    std::function<void()> endProgram_;
    QPointer<ConverterWindow> shown_;
};

} // namespace korvane::ui
