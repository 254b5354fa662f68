#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "host/report/report_definition.h"
#include "host/report/report_request.h"
#include "hostfw_export.h"

namespace hostfw {

// The report commands of the base report form. Each run raises the form's
// BeforeGetQueryParams handler first; "nothing" / false means the handler cancelled.
// Failures raise an Exception with a clear Portuguese message and leave no partial file.

// Preview: the report as plain text.
HOSTFW_EXPORT std::optional<std::string> PreviewReport(const ReportRequest& request);
HOSTFW_EXPORT bool PreviewReport(const ReportRequest& request, std::ostream& out);

// Always: the PDF stays in the output folder, and goes to the printer too when one is named
// (a PDF asked for by name). WhenNotPrinted: the report goes to the printer named, or to the
// system's default printer when none is, and the PDF stays only when there is no printer at
// all (a person's Imprimir).
enum class PdfKept { Always, WhenNotPrinted };

struct PrintOptions {
    std::filesystem::path outputFolder;  // created when missing; empty: the working folder
    std::string printer;                 // empty: see PdfKept
    PdfKept kept = PdfKept::Always;
};

struct PrintedReport {
    std::filesystem::path pdf;  // the PDF written; removed once printed unless always kept
    bool sentToPrinter = false;
    std::string printer;          // where it went, when sent
    bool defaultPrinter = false;  // the system's default, no printer being named
    std::string notice;  // for the user when the PDF was not sent although a printer was named
};

// Print: a PDF file in the output folder named from the report code, the sequence and the
// print time ("EXP036-001_20240131-154500.pdf", "..._2.pdf" when taken: never overwriting),
// then, to a printer (see PdfKept) with `lp -d PRINTER FILE` when `lp` is on PATH.
HOSTFW_EXPORT std::optional<PrintedReport> PrintReport(const ReportRequest& request,
                                                       const PrintOptions& options);

// CsvBrazil: the CSV a spreadsheet set to Brazilian Portuguese reads as it is (semicolons,
// amounts with a decimal comma and no thousands points, UTF-8 with its byte-order mark).
enum class ReportFileFormat { Text, Pdf, Csv, CsvBrazil, Xlsx };

// The report into a file the user chose: the paged text, the PDF, or the detail rows as CSV or
// as a spreadsheet (XLSX) with typed cells and totals.
// The file is written whole under a staged name and then replaces what is at the path, which
// must be a regular file or nothing (a link, a device, a FIFO, ... is refused); on any failure
// nothing is left behind.
HOSTFW_EXPORT bool ExportReport(const ReportRequest& request, ReportFileFormat format,
                                const std::filesystem::path& file);
// The same into a stream (standard output).
HOSTFW_EXPORT bool ExportReport(const ReportRequest& request, ReportFileFormat format,
                                std::ostream& out);
// The same, with nothing written to the stream until the whole report was read: a run that
// fails or stops leaves the stream as it was, so the report can be run again into it.
HOSTFW_EXPORT bool ExportReportWhole(const ReportRequest& request, ReportFileFormat format,
                                     std::ostream& out);

// Save as: a copy of the definition under a new title, in the definition's folder, named from
// the report code and the next free sequence number. Returns the new file; nothing for a blank
// title. The title is only stored inside the file, whatever it holds.
HOSTFW_EXPORT std::optional<std::filesystem::path> SaveReportAs(const ReportDefinition& definition,
                                                                const std::string& title);

// Edit: the command line that opens a definition file in $VISUAL or $EDITOR (split on blanks,
// the file as its own last argument), to be run with RunProgram, never through a shell;
// nothing when neither is set. Afterwards ReportCatalog::Reload checks the file again.
HOSTFW_EXPORT std::optional<std::vector<std::string>> EditorCommandLine(
    const std::filesystem::path& file);

}  // namespace hostfw
