#include "report/report_mode.h"

#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>

#include <unistd.h>

#include "choices/choice_store.h"
#include "choices/form_choices.h"
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
#include "report/report_script.h"
#include "session/session_setup.h"
#include "session/signed_in_session.h"

namespace host {
namespace {

// The CSV or the spreadsheet of the report the form just ran, written by the base form with
// the same parameters, into the file (staged, then put in place) or onto the stream.
void ExportRows(hostfw::ReportFileFormat format, const std::optional<std::filesystem::path>& out,
                std::ostream& standardOutput, RunStatus& status) {
    auto* form = dynamic_cast<hostfw::TfrmDadosGerRel*>(&LiveForm());
    if (form == nullptr)
        throw hostfw::Exception("O formulário não é um formulário de relatório.");
    bool exported = false;
    hostfw::Application().Dispatch([&] {
        exported =
            out ? form->ExportReport(format, *out) : form->ExportReport(format, standardOutput);
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

// Opens the form, then fills it and runs the report. A saved choice or the last query is read
// once the form is open (it names the report) and goes under the command line's choices.
void RunChoices(HeadlessHost& host, const HostOptions& options) {
    std::istringstream open("open null\n");
    if (!host.Run(open))
        return;
    ReportChoices choices = options.report;
    std::optional<std::string> branch;
    if (!options.branch.empty())
        branch = options.branch;
    if (choices.preset || choices.last) {
        SavedChoice saved;
        try {
            saved = choices.last ? LoadLastQuery(LiveReportCode())
                                 : LoadPreset(LiveReportCode(), *choices.preset);
        } catch (const std::exception& e) {
            host.Ui().Status().Fail(e.what());
            return;
        }
        choices = Overridden(ReportChoicesOf(saved, hostfw::Now()), options.report);
        if (!branch)
            branch = saved.branch;
    }
    // A bound person's form opens on the home branch, locked: nothing to type.
    if (hostfw::ModuFili(hostfw::ProcessContext().Session()))
        branch.reset();
    std::istringstream script(FillAndRunLines(choices, branch));
    host.Run(script);
}

}  // namespace

int RunReportMode(const HostOptions& options) {
    const ReportChoices& choices = options.report;
    // Before any work: a link, a device or a FIFO at --out is never replaced.
    if (choices.out)
        hostfw::CheckOutputTarget(*choices.out);
    ApplySessionOptions(options);
    // A PDF asked for on the command line is a file, never paper on the default printer.
    hostfw::ProcessContext().Session().keepPrintedPdf = true;
    std::ofstream transcript = OpenTranscriptFile(options.transcript.value_or("/dev/null"));
    SignInForRun(options, AskOnTerminal, &transcript);
    const ReportAudit audit;
    std::ofstream discarded("/dev/null");
    // Every write checked: a full disk or a closed pipe fails the run with its reason.
    hostfw::CheckedOutput standardOutput(STDOUT_FILENO, "a saída padrão");

    const bool pdf = choices.format == ReportFormat::Pdf;
    std::optional<PrintFolder> printFolder;
    if (pdf && choices.out) {
        printFolder.emplace(choices.out->parent_path());
        hostfw::ProcessContext().Session().outputDir = printFolder->Path().string();
    }
    const auto pdfsBefore = PdfFiles(hostfw::ProcessContext().Session().outputDir);
    // The text report goes whole into its file, or not at all.
    std::optional<hostfw::StagedFile> textFile;
    if (choices.format == ReportFormat::Text && choices.out)
        textFile.emplace(FolderOf(*choices.out), *choices.out);

    HeadlessHost host(options.package.value_or(DefaultPackage()), transcript);
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
            ExportRows(choices.brazilianCsv ? hostfw::ReportFileFormat::CsvBrazil
                                            : hostfw::ReportFileFormat::Csv,
                       choices.out, standardOutput, status);
        if (!status.Failed() && choices.format == ReportFormat::Xlsx)
            ExportRows(hostfw::ReportFileFormat::Xlsx, choices.out, standardOutput, status);
        if (!status.Failed() && textFile) {
            textFile->Sync();
            textFile->PublishReplacing(*choices.out);
        }
        if (!status.Failed() && pdf) {
            if (printFolder) {
                printFolder->MoveTo(*choices.out);
            } else {
                standardOutput << NewPdf(pdfsBefore,
                                         PdfFiles(hostfw::ProcessContext().Session().outputDir))
                                      .string()
                               << '\n';
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
