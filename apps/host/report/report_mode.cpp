#include "report/report_mode.h"

#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>

#include <unistd.h>

#include "choices/choice_on_screen.h"
#include "choices/choice_store.h"
#include "choices/live_choice.h"
#include "choices/option_choice.h"
#include "command_line/host_paths.h"
#include "host/base_form/frm_dados_ger_rel.h"
#include "host/core/checked_output.h"
#include "host/core/exception.h"
#include "host/core/output_target.h"
#include "host/core/staged_file.h"
#include "host/session/session.h"
#include "host/ui/application.h"
#include "host/ui/host_context.h"
#include "module/form_lookup.h"
#include "module/headless_host.h"
#include "report/print_folder.h"
#include "report/report_audit.h"
#include "session/session_setup.h"
#include "session/signed_in_session.h"

namespace host {
namespace {

// The CSV or the spreadsheet of the report the form just ran, written by the base form with
// the same parameters, into the file (staged, then put in place) or onto the stream.
void ExportRows(hostfw::TApplication& application, hostfw::ReportFileFormat format,
                const std::optional<std::filesystem::path>& out, std::ostream& standardOutput,
                RunStatus& status) {
    hostfw::TfrmDadosGerRel& form = LiveReportForm(application);
    bool exported = false;
    application.Dispatch([&] {
        exported =
            out ? form.ExportReport(format, *out) : form.ExportReport(format, standardOutput);
    });
    if (!exported && !status.Failed())
        status.Fail("O relatório não foi exportado.");
}

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    return file.parent_path().empty() ? std::filesystem::path(".") : file.parent_path();
}

// Information and warnings the form showed on the way; refusals end the run on their own.
void ReportNotices(ScriptedUi& ui) {
    for (const ShownMessage& message : ui.Messages()) {
        if (message.kind == hostfw::MessageKind::Information ||
            message.kind == hostfw::MessageKind::Warning) {
            std::cerr << "exp036-host: aviso: " << message.text << '\n';
        }
    }
}

// The choice the run fills the form with: the command line's options, over a saved choice or
// the last query when one is named (read once the form is open: it names the report).
hostfw::FormChoice RunChoice(hostfw::HostContext& context, const HostOptions& options) {
    std::optional<std::string> branch;
    if (!options.branch.empty())
        branch = options.branch;
    const ReportChoices& given = options.report;
    if (!given.preset && !given.last)
        return ChoiceOfOptions(given, branch);
    const std::string report = LiveReportCode(context.Application());
    hostfw::FormChoice saved =
        given.last ? LoadLastQuery(context, report) : LoadPreset(context, report, *given.preset);
    return Overridden(std::move(saved), given, branch);
}

// Opens the form, fills it as a person would and runs the report: preview, or print for a PDF.
// A bound person's form opens on the home branch, locked: the branch field is left as it is.
void RunChoices(HeadlessHost& host, const HostOptions& options) {
    std::istringstream open("open null\n");
    if (!host.Run(open))
        return;
    host.Run([&](ScriptContext& context) {
        ApplyChoice(context, RunChoice(host.Context(), options));
        if (context.ui.Status().Failed())
            return;
        hostfw::TfrmDadosGerRel& form = LiveReportForm(context.Application());
        context.screen.Click(options.report.format == ReportFormat::Pdf ? form.PrintCommand()
                                                                        : form.PreviewCommand());
    });
}

}  // namespace

int RunReportMode(const HostOptions& options) {
    const ReportChoices& choices = options.report;
    // Before any work: a link, a device or a FIFO at --out is never replaced.
    if (choices.out)
        hostfw::CheckOutputTarget(*choices.out);
    hostfw::HostContext context;
    hostfw::SessionSettings& session = context.Session();
    ApplySessionOptions(options, session);
    // A PDF asked for on the command line is a file, never paper on the default printer.
    session.keepPrintedPdf = true;
    std::ofstream transcript = OpenTranscriptFile(options.transcript.value_or("/dev/null"));
    SignInForRun(context, options, AskOnTerminal, &transcript);
    const ReportAudit audit(context);
    std::ofstream discarded("/dev/null");
    // Every write checked: a full disk or a closed pipe fails the run with its reason.
    hostfw::CheckedOutput standardOutput(STDOUT_FILENO, "a saída padrão");

    const bool pdf = choices.format == ReportFormat::Pdf;
    std::optional<PrintFolder> printFolder;
    if (pdf && choices.out) {
        printFolder.emplace(choices.out->parent_path());
        session.outputDir = printFolder->Path().string();
    }
    const auto pdfsBefore = PdfFiles(session.outputDir);
    // The text report goes whole into its file, or not at all.
    std::optional<hostfw::StagedFile> textFile;
    if (choices.format == ReportFormat::Text && choices.out)
        textFile.emplace(FolderOf(*choices.out), *choices.out);

    HeadlessHost host(context, options.package.value_or(DefaultPackage()), transcript);
    ScriptedUi& ui = host.Ui();
    RunStatus& status = ui.Status();
    ui.SetStrictMessages(true);
    if (textFile) {
        ui.SetPreviewStream(&textFile->Stream());
    } else {
        std::ostream& previews = choices.format == ReportFormat::Text
                                     ? static_cast<std::ostream&>(standardOutput)
                                     : discarded;
        ui.SetPreviewStream(&previews);
    }

    RunChoices(host, options);
    try {
        if (!status.Failed() && !pdf && ui.PreviewCount() == 0)
            status.Fail("O relatório não foi emitido.");
        if (!status.Failed() && choices.format == ReportFormat::Csv)
            ExportRows(context.Application(),
                       choices.brazilianCsv ? hostfw::ReportFileFormat::CsvBrazil
                                            : hostfw::ReportFileFormat::Csv,
                       choices.out, standardOutput, status);
        if (!status.Failed() && choices.format == ReportFormat::Xlsx)
            ExportRows(context.Application(), hostfw::ReportFileFormat::Xlsx, choices.out,
                       standardOutput, status);
        if (!status.Failed() && textFile) {
            textFile->Sync();
            textFile->PublishReplacing(*choices.out);
        }
        if (!status.Failed() && pdf) {
            if (printFolder) {
                printFolder->MoveTo(*choices.out);
            } else {
                standardOutput << NewPdf(pdfsBefore, PdfFiles(session.outputDir)).string() << '\n';
            }
        }
        standardOutput.Finish();
    } catch (const std::exception& e) {
        status.Fail(e.what());
    }
    ReportNotices(ui);
    if (!status.Failed())
        return 0;
    std::cerr << "exp036-host: " << status.Failure()->text << '\n';
    return 1;
}

}  // namespace host
