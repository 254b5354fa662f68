#include <fstream>

#include "host/core/exception.h"
#include "host/core/staged_file.h"
#include "host/core/whole_file.h"
#include "host/report/csv_report.h"
#include "host/report/paged_report.h"
#include "host/report/pdf_page_renderer.h"
#include "host/report/report_commands.h"
#include "host/report/text_page_renderer.h"
#include "host/report/xlsx_report.h"

namespace hostfw {

namespace {

// A file the run wrote whole, copied to the stream.
void CopyOut(const std::filesystem::path& file, std::ostream& out, const char* what) {
    std::ifstream in(file, std::ios::binary);
    out << in.rdbuf();
    out.flush();
    if (!in || !out)
        throw Exception(std::string("Falha ao gravar ") + what + " na saída padrão.");
}

}  // namespace

bool ExportReport(const ReportRequest& request, ReportFileFormat format, std::ostream& out) {
    if (format == ReportFileFormat::Xlsx) {
        // A workbook is written by file name: staged in the temporary folder, then copied out.
        StagedFile staged(std::filesystem::temp_directory_path());
        if (!WriteXlsxReport(request, staged.Path(), "a saída padrão"))
            return false;
        CopyOut(staged.Path(), out, "a planilha");
        return true;
    }
    if (format == ReportFileFormat::Csv)
        return WriteCsvReport(request, out, CsvDialect::Standard);
    if (format == ReportFileFormat::CsvBrazil)
        return WriteCsvReport(request, out, CsvDialect::Brazilian);
    if (format == ReportFileFormat::Pdf) {
        PdfPageRenderer renderer(out, request.definition);
        return RunPagedReport(request, renderer);
    }
    TextPageRenderer renderer(out, request.definition);
    return RunPagedReport(request, renderer);
}

bool ExportReportWhole(const ReportRequest& request, ReportFileFormat format, std::ostream& out) {
    StagedFile staged(std::filesystem::temp_directory_path());
    if (!ExportReport(request, format, staged.Stream()))
        return false;
    staged.Stream().flush();
    CopyOut(staged.Path(), out, "o relatório");
    return true;
}

bool ExportReport(const ReportRequest& request, ReportFileFormat format,
                  const std::filesystem::path& file) {
    return WriteFileWhole(file, [&](StagedFile& staged) {
        return format == ReportFileFormat::Xlsx
                   ? WriteXlsxReport(request, staged.Path(), file.string())
                   : ExportReport(request, format, staged.Stream());
    });
}

}  // namespace hostfw
