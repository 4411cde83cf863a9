#pragma once

#include "report/ReportPlatform.hpp"

#include <string>

namespace korvane {

// The report's operations on the real file system, and the desktop's viewer.
class SystemReportPlatform : public ReportPlatform {
  public:
    // The viewer is "notepad.exe" on Windows and the desktop's default opener elsewhere.
    SystemReportPlatform();
    explicit SystemReportPlatform(std::string viewer);
    ~SystemReportPlatform() override;
    SystemReportPlatform(const SystemReportPlatform&) = delete;
    SystemReportPlatform& operator=(const SystemReportPlatform&) = delete;

    bool DeleteFile(const std::string& path) override;
    // Opens only a regular file, never through a link and never waiting: a link, a folder, a
    // device or a FIFO at the path cannot hold the report.
    bool OpenForWriting(const std::string& path) override;
    bool Write(const std::string& text) override;
    bool Close() override;
    bool StartViewer(const std::string& path) override;

  private:
    std::string viewer_;
    int descriptor_ = -1;
};

} // namespace korvane
