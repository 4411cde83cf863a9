#include "report/DownloadDatum.hpp"

#include "report/DatumReport.hpp"

namespace korvane {

void DownloadDatum(ReportPlatform& platform, const std::string& path, const DatumTable& table,
                   const std::string& decimalSeparator) {
    if (path.empty()) {
        return; // no usable place for the report: no file and no viewer
    }
    const std::string text = DatumReportText(table, decimalSeparator);
    platform.DeleteFile(path);
    if (!platform.OpenForWriting(path)) {
        return;
    }
    if (!platform.Write(text)) {
        platform.Close(); // do not leave the handle open; the report is not shown
        return;
    }
    if (!platform.Close()) {
        return;
    }
    platform.StartViewer(path);
}

} // namespace korvane
