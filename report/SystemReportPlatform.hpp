#pragma once

#include "report/ReportPlatform.hpp"

#include <cstdio>
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
    bool OpenForWriting(const std::string& path) override;
    bool Write(const std::string& text) override;
    bool Close() override;
    bool StartViewer(const std::string& path) override;

  private:
    std::string viewer_;
    std::FILE* file_ = nullptr;
};

} // namespace korvane
