#include <fstream>

#include "host/core/exception.h"
#include "host/report/csv_report.h"
#include "host/report/paged_report.h"
#include "host/report/pdf_page_renderer.h"
#include "host/report/report_commands.h"
#include "host/report/text_page_renderer.h"
#include "host/report/whole_file.h"

namespace hostfw {
namespace {

bool WriteStreamed(const ReportRequest& request, ReportFileFormat format,
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
    return WriteFileWhole(file, [&](const std::filesystem::path& staged) {
        if (format == ReportFileFormat::Pdf) {
            PdfPageRenderer renderer(staged, request.definition);
            return RunPagedReport(request, renderer);
        }
        return WriteStreamed(request, format, staged, file);
    });
}

}  // namespace hostfw
