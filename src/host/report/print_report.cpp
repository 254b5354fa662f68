#include <algorithm>
#include <cstdio>

#include "host/core/child_process.h"
#include "host/core/date_time.h"
#include "host/core/exception.h"
#include "host/core/staged_file.h"
#include "host/core/system_error_text.h"
#include "host/report/default_printer.h"
#include "host/report/paged_report.h"
#include "host/report/pdf_page_renderer.h"
#include "host/report/report_commands.h"

namespace hostfw {
namespace {

constexpr int kMaxNameTries = 1000;

// Printer names as CUPS allows them: printable, without blanks, "/" or "#". A leading "-"
// is refused too, so the name can never pass for an option of lp.
void CheckPrinterName(const std::string& printer) {
    const bool valid = printer.size() <= 127 && !printer.starts_with('-') &&
                       std::all_of(printer.begin(), printer.end(), [](char c) {
                           const auto u = static_cast<unsigned char>(c);
                           return u > ' ' && u != 0x7F && c != '/' && c != '#';
                       });
    if (!valid)
        throw Exception("Nome de impressora inválido: '" + printer + "'.");
}

// "EXP036-001_20240131-154500": report code, sequence, print date and time.
std::string PdfStem(const ReportDefinition& definition, TDateTime printedAt) {
    const DaySeconds split = SplitToSeconds(printedAt);
    const CivilDate date = CivilFromDays(static_cast<double>(split.day));
    char stem[96];
    std::snprintf(stem, sizeof stem, "%s-%03d_%04d%02d%02d-%02lld%02lld%02lld",
                  definition.reportCode.c_str(), definition.sequence, date.year, date.month,
                  date.day, split.seconds / 3600, split.seconds / 60 % 60, split.seconds % 60);
    return stem;
}

std::filesystem::path PublishUnderFreeName(StagedFile& staged, const std::filesystem::path& folder,
                                           const std::string& stem) {
    for (int attempt = 1; attempt <= kMaxNameTries; ++attempt) {
        const std::string suffix = attempt == 1 ? "" : "_" + std::to_string(attempt);
        const std::filesystem::path target = folder / (stem + suffix + ".pdf");
        if (staged.PublishWithoutReplacing(target))
            return target;
    }
    throw Exception("Não há nome livre para o PDF '" + stem + "' na pasta '" + folder.string() +
                    "'.");
}

void CreateFolder(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        throw Exception("Não foi possível criar a pasta '" + folder.string() + "' (" +
                        SystemErrorText(error.value()) + ").");
    }
}

PrintedReport SendToPrinter(const std::filesystem::path& pdf, const std::string& printer,
                            PdfKept kept) {
    const auto lp = FindProgram("lp");
    if (!lp) {
        return {pdf, false, "", false,
                "O comando lp não foi encontrado: o relatório não foi para a impressora '" +
                    printer + "' e ficou no arquivo '" + pdf.string() + "'."};
    }
    const int code = RunProgram({lp->string(), "-d", printer, pdf.string()});
    if (code != 0) {
        throw Exception("A impressão em '" + printer + "' falhou (lp terminou com código " +
                        std::to_string(code) + "); o relatório ficou no arquivo '" + pdf.string() +
                        "'.");
    }
    // lp has handed the pages to the print server: the copy is nobody's to keep.
    if (kept == PdfKept::WhenNotPrinted) {
        std::error_code ignored;
        std::filesystem::remove(pdf, ignored);
    }
    return {pdf, true, printer, false, ""};
}

}  // namespace

std::optional<PrintedReport> PrintReport(const ReportRequest& request,
                                         const PrintOptions& options) {
    if (!options.printer.empty())
        CheckPrinterName(options.printer);
    const std::filesystem::path folder =
        options.outputFolder.empty() ? std::filesystem::path(".") : options.outputFolder;
    CreateFolder(folder);
    // One time for the page header and the file name.
    ReportRequest timed = request;
    timed.printedAt = request.printedAt.value_or(Now());
    const std::string stem = PdfStem(request.definition, *timed.printedAt);
    StagedFile staged(folder, folder / (stem + ".pdf"));
    {
        PdfPageRenderer renderer(staged.Stream(), request.definition);
        if (!RunPagedReport(timed, renderer))
            return std::nullopt;
    }
    staged.Sync();
    const auto pdf = PublishUnderFreeName(staged, folder, stem);
    if (!options.printer.empty())
        return SendToPrinter(pdf, options.printer, options.kept);
    if (options.kept == PdfKept::Always)
        return PrintedReport{pdf, false, "", false, ""};
    const auto fallback = DefaultPrinter();
    if (!fallback)
        return PrintedReport{pdf, false, "", false, ""};
    CheckPrinterName(*fallback);
    PrintedReport printed = SendToPrinter(pdf, *fallback, options.kept);
    printed.defaultPrinter = printed.sentToPrinter;
    return printed;
}

}  // namespace hostfw
