#pragma once

#include <string>

namespace korvane {

// The file and program operations that writing and showing the datum report needs. Each
// answers whether it succeeded; tests replace them to make any step fail.
class ReportPlatform {
  public:
    virtual ~ReportPlatform() = default;

    virtual bool DeleteFile(const std::string& path) = 0; // an old report, never a folder or device
    virtual bool OpenForWriting(const std::string& path) = 0; // creates or truncates
    virtual bool Write(const std::string& text) = 0;
    virtual bool Close() = 0;
    // Starts the text viewer on the file in a normal window with the focus, without waiting.
    virtual bool StartViewer(const std::string& path) = 0;
};

} // namespace korvane
