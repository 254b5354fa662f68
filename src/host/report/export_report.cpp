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

bool ExportReport(const ReportRequest& request, ReportFileFormat format, std::ostream& out) {
    if (format == ReportFileFormat::Xlsx) {
        // A workbook is written by file name: staged in the temporary folder, then copied out.
        StagedFile staged(std::filesystem::temp_directory_path());
        if (!WriteXlsxReport(request, staged.Path(), "a saída padrão"))
            return false;
        std::ifstream workbook(staged.Path(), std::ios::binary);
        out << workbook.rdbuf();
        out.flush();
        if (!workbook || !out)
            throw Exception("Falha ao gravar a planilha na saída padrão.");
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

bool ExportReport(const ReportRequest& request, ReportFileFormat format,
                  const std::filesystem::path& file) {
    return WriteFileWhole(file, [&](StagedFile& staged) {
        return format == ReportFileFormat::Xlsx
                   ? WriteXlsxReport(request, staged.Path(), file.string())
                   : ExportReport(request, format, staged.Stream());
    });
}

}  // namespace hostfw
