#include <fstream>

#include "host/core/exception.h"
#include "host/core/staged_file.h"
#include "host/report/csv_report.h"
#include "host/report/paged_report.h"
#include "host/report/pdf_page_renderer.h"
#include "host/report/report_commands.h"
#include "host/report/text_page_renderer.h"

namespace hostfw {
namespace {

bool writeStreamed(const ReportRequest& request, ReportFileFormat format,
                   const std::filesystem::path& staged, const std::filesystem::path& file) {
    std::ofstream out(staged, std::ios::binary | std::ios::trunc);
    if (!out)
        throw Exception("Não foi possível gravar o arquivo '" + file.string() + "'.");
    if (format == ReportFileFormat::Csv)
        return WriteCsvReport(request, out);
    TextPageRenderer renderer(out, request.definition);
    return RunPagedReport(request, renderer);
}

}  // namespace

bool ExportReport(const ReportRequest& request, ReportFileFormat format,
                  const std::filesystem::path& file) {
    const std::filesystem::path folder = file.parent_path().empty() ? "." : file.parent_path();
    StagedFile staged(folder);
    if (format == ReportFileFormat::Pdf) {
        PdfPageRenderer renderer(staged.Path(), request.definition);
        if (!RunPagedReport(request, renderer))
            return false;
    } else if (!writeStreamed(request, format, staged.Path(), file)) {
        return false;
    }
    staged.Sync();
    staged.PublishReplacing(file);
    return true;
}

}  // namespace hostfw
