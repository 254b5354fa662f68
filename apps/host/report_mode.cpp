#include "report_mode.h"

#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>

#include <unistd.h>

#include "form_lookup.h"
#include "headless_host.h"
#include "host/base_form/frm_dados_ger_rel.h"
#include "host/core/exception.h"
#include "host/session/session.h"
#include "host/ui/application.h"
#include "host_paths.h"
#include "print_folder.h"
#include "report_script.h"
#include "session_setup.h"

namespace host {
namespace {

// The CSV of the report the form just ran, written by the base form with the same
// parameters, into the file or onto standard output.
void ExportCsv(const std::optional<std::filesystem::path>& out, RunStatus& status) {
    auto* form = dynamic_cast<hostfw::TfrmDadosGerRel*>(&LiveForm());
    if (form == nullptr)
        throw hostfw::Exception("O formulário não é um formulário de relatório.");
    const std::filesystem::path file = out.value_or(
        std::filesystem::temp_directory_path() / ("exp036-" + std::to_string(::getpid()) + ".csv"));
    bool exported = false;
    hostfw::Application().Dispatch([&] { exported = form->ExportCsv(file); });
    if (!exported) {
        status.Fail("O relatório não foi exportado.");
        return;
    }
    if (!out) {
        std::ifstream csv(file, std::ios::binary);
        std::cout << csv.rdbuf() << std::flush;
        std::filesystem::remove(file);
    }
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

}  // namespace

int RunReportMode(const HostOptions& options) {
    const ReportChoices& choices = options.report;
    ApplySessionOptions(options);
    std::ofstream transcript = OpenTranscriptFile(options.transcript.value_or("/dev/null"));
    std::ofstream discarded("/dev/null");

    const bool pdf = choices.format == ReportFormat::Pdf;
    std::optional<PrintFolder> printFolder;
    if (pdf && choices.out) {
        printFolder.emplace(choices.out->parent_path());
        hostfw::Session().outputDir = printFolder->Path().string();
    }
    const auto pdfsBefore = PdfFiles(hostfw::Session().outputDir);

    HeadlessHost host(options.package.value_or(DefaultPackage()), transcript);
    ScriptedUi& ui = host.Ui();
    RunStatus& status = ui.Status();
    ui.SetStrictMessages(true);
    if (choices.format == ReportFormat::Text && choices.out) {
        ui.SetPreviewFile(*choices.out);
    } else {
        ui.SetPreviewStream(choices.format == ReportFormat::Text ? &std::cout : &discarded);
    }

    std::istringstream script(ReportScript(choices, options.branch));
    host.Run(script);
    try {
        if (!status.Failed() && !pdf && ui.PreviewCount() == 0)
            status.Fail("O relatório não foi emitido.");
        if (!status.Failed() && choices.format == ReportFormat::Csv)
            ExportCsv(choices.out, status);
        if (!status.Failed() && pdf) {
            if (printFolder) {
                printFolder->MoveTo(*choices.out);
            } else {
                std::cout << NewPdf(pdfsBefore, PdfFiles(hostfw::Session().outputDir)).string()
                          << '\n';
            }
        }
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
