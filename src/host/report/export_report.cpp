#include "host/core/exception.h"
#include "host/core/output_target.h"
#include "host/core/staged_file.h"
#include "host/report/csv_report.h"
#include "host/report/paged_report.h"
#include "host/report/pdf_page_renderer.h"
#include "host/report/report_commands.h"
#include "host/report/text_page_renderer.h"

namespace hostfw {

bool ExportReport(const ReportRequest& request, ReportFileFormat format, std::ostream& out) {
    if (format == ReportFileFormat::Csv)
        return WriteCsvReport(request, out);
    if (format == ReportFileFormat::Pdf) {
        PdfPageRenderer renderer(out, request.definition);
        return RunPagedReport(request, renderer);
    }
    TextPageRenderer renderer(out, request.definition);
    return RunPagedReport(request, renderer);
}

bool ExportReport(const ReportRequest& request, ReportFileFormat format,
                  const std::filesystem::path& file) {
    // Refused before the report runs, and again when the file is put in place.
    CheckOutputTarget(file);
    const std::filesystem::path folder = file.parent_path().empty() ? "." : file.parent_path();
    StagedFile staged(folder, file);
    if (!ExportReport(request, format, staged.Stream()))
        return false;
    staged.Sync();
    staged.PublishReplacing(file);
    return true;
}

}  // namespace hostfw
