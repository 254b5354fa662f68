#include "host/base_form/audited_report_run.h"
#include "host/base_form/frm_dados_ger_rel.h"
#include "host/base_form/message_format.h"
#include "host/core/child_process.h"
#include "host/data/report_reads.h"
#include "host/report/laid_out_report.h"
#include "host/report/report_catalog.h"
#include "host/report/run_monitor.h"
#include "host/services/mens_erro.h"
#include "host/ui/application.h"
#include "host/ui/host_context.h"
#include "host/ui/host_dialogs.h"
#include "host/ui/host_observer.h"
#include "host/ui/report_progress.h"

namespace hostfw {
namespace {

const char* ExportKind(ReportFileFormat format) {
    switch (format) {
        case ReportFileFormat::Text:
            return "exportar-texto";
        case ReportFileFormat::Pdf:
            return "exportar-pdf";
        case ReportFileFormat::Csv:
            return "exportar-csv";
        case ReportFileFormat::CsvBrazil:
            return "exportar-csv-br";
        case ReportFileFormat::Xlsx:
            return "exportar-xlsx";
    }
    return "exportar";
}

// A long run shows its progress while `run` works; a run the user stopped leaves a notice
// and ends the event quietly.
template <class Run>
auto WithProgress(ReportProgress& progress, HostObserver& observer,
                  const ReportDefinition& definition, Run&& run) {
    progress.RunStarted(definition.title);
    try {
        auto result = run();
        progress.RunFinished();
        return result;
    } catch (const ReportCancelled&) {
        progress.RunFinished();
        observer.Notify({"cancelled: " + definition.title, "Consulta cancelada."});
        throw;
    } catch (...) {
        progress.RunFinished();
        throw;
    }
}

// Where the pages went, for the transcript and for the person: a printer, or the PDF kept in
// the output folder (with the folder to open when the person expected paper).
void TellWherePrinted(HostContext& context, const PrintedReport& printed) {
    HostObserver& observer = context.Application().Observer();
    const SessionSettings& session = context.Session();
    const bool kept = std::filesystem::exists(printed.pdf);
    if (kept) {
        const bool noPrinter =
            !printed.sentToPrinter && !session.keepPrintedPdf && session.printer.empty();
        const std::string file = printed.pdf.string();
        if (noPrinter) {
            observer.Notify(
                {"printed: " + file,
                 "Nenhuma impressora disponível: o relatório ficou no arquivo " + file + ".",
                 printed.pdf.parent_path()});
        } else {
            observer.Notify({"printed: " + file, "Relatório gravado em " + file + "."});
        }
    }
    if (printed.sentToPrinter) {
        observer.Notify({"printer: " + printed.printer,
                         "Relatório impresso em " + printed.printer +
                             (printed.defaultPrinter ? " (impressora padrão)." : ".")});
    }
    if (!printed.notice.empty())
        context.Application().Dialogs().ShowMessage(printed.notice, MessageKind::Warning);
}

}  // namespace

ReportRequest TfrmDadosGerRel::ReportRequestFor(const ReportDefinition& definition,
                                                Engine& engine) {
    return ReportRequest{engine, definition,
                         [this](TParams& params, bool& cancel) {
                             rpddPadrao->DoBeforeGetQueryParams(params, cancel);
                             if (Application().HasUi())
                                 Application().Observer().ReportQueryBound(params);
                         },
                         std::nullopt,
                         [this](const RunStep& step) {
                             return !Application().HasUi() ||
                                    Application().Progress().RunProgress(step);
                         }};
}

void TfrmDadosGerRel::sbtPreviewClick(TObject* /*sender*/) {
    const ReportDefinition& definition = SelectedDefinition();
    bool shown = false;
    AuditedReportRun run(Context().ReportRuns(), definition, "visualizar");
    run.Run([&]() -> std::optional<std::filesystem::path> {
        // The first page is laid out here; a window lays out the rest while it shows that page.
        std::shared_ptr<const LaidOutReport> preview =
            ReadForReport(Context().Database(), [&](const ReportConnection& database) {
                return WithProgress(
                    Application().Progress(), Application().Observer(), definition, [&] {
                        return LaidOutReport::Start(
                            run.Watch(ReportRequestFor(definition, *database.engine)),
                            database.engine);
                    });
            });
        if (!preview)
            return std::nullopt;
        Application().Dialogs().ShowPreview(std::move(preview));
        shown = true;
        return std::filesystem::path();
    });
    if (shown)
        Application().Observer().ReportDelivered();
}

void TfrmDadosGerRel::sbtPrintClick(TObject* /*sender*/) {
    const ReportDefinition& definition = SelectedDefinition();
    std::optional<PrintedReport> printed;
    AuditedReportRun run(Context().ReportRuns(), definition,
                         Context().Session().printer.empty()
                             ? "imprimir"
                             : "imprimir em " + Context().Session().printer);
    run.Run([&]() -> std::optional<std::filesystem::path> {
        const PdfKept kept =
            Context().Session().keepPrintedPdf ? PdfKept::Always : PdfKept::WhenNotPrinted;
        printed = ReadForReport(Context().Database(), [&](const ReportConnection& database) {
            return WithProgress(
                Application().Progress(), Application().Observer(), definition, [&] {
                    return PrintReport(run.Watch(ReportRequestFor(definition, *database.engine)),
                                       PrintOptions{Context().Session().outputDir,
                                                    Context().Session().printer, kept});
                });
        });
        if (!printed)
            return std::nullopt;
        return printed->pdf;
    });
    if (!printed)
        return;
    TellWherePrinted(Context(), *printed);
    Application().Observer().ReportDelivered();
}

void TfrmDadosGerRel::sbtSalvarComoClick(TObject* /*sender*/) {
    const ReportDefinition& definition = SelectedDefinition();
    const auto title =
        Application().Dialogs().PromptText(BaseText("NovoCaption"), BaseText("NovoPrompt"), "");
    if (!title)
        return;
    std::optional<std::filesystem::path> file;
    AuditedReportRun run(Context().ReportRuns(), definition, "salvar-como");
    run.Run([&] { return file = SaveReportAs(definition, *title); });
    if (!file)
        return;
    ReloadReportNames();
    Application().Observer().Notify(
        {"saved: " + file->string(), "Relatório salvo como " + file->string() + "."});
    Application().Observer().ReportDelivered();
}

void TfrmDadosGerRel::sbtReportEditClick(TObject* /*sender*/) {
    const std::size_t index = SelectedIndex();
    const std::filesystem::path file = SelectedReportFile();
    const auto command = EditorCommandLine(file);
    if (command) {
        Application().Observer().Notify(
            {"edit: " + file.string(), "Definição aberta no editor: " + file.string() + "."});
        RunProgram(*command);
    } else {
        // Nothing would open: the person is told how to get an editor instead.
        Application().Observer().Notify({"edit: " + file.string(), ""});
        Application().Dialogs().ShowMessage(
            "Nenhum editor configurado para relatórios: defina a variável VISUAL ou EDITOR "
            "(por exemplo, EDITOR=gedit) para editar " +
                file.filename().string() + ".",
            MessageKind::Information);
    }
    // Whatever the editor did, the chooser offers the file as it is now.
    const std::string error = catalog_->Reload(index);
    ShowReportNames(static_cast<int>(index));
    if (!error.empty())
        MensErro(FormatMessage(BaseText("Rel_DefInvalida"), {error}), false);
}

bool TfrmDadosGerRel::ExportReport(ReportFileFormat format, const std::filesystem::path& file) {
    const ReportDefinition& definition = SelectedDefinition();
    bool exported = false;
    AuditedReportRun run(Context().ReportRuns(), definition, ExportKind(format));
    run.OutputTo(file);
    run.Run([&]() -> std::optional<std::filesystem::path> {
        // The file is replaced only once whole: a reading run again leaves nothing half-written.
        exported = ReadForReport(Context().Database(), [&](const ReportConnection& database) {
            return WithProgress(
                Application().Progress(), Application().Observer(), definition, [&] {
                    return hostfw::ExportReport(
                        run.Watch(ReportRequestFor(definition, *database.engine)), format, file);
                });
        });
        return exported ? std::optional(file) : std::nullopt;
    });
    if (!exported)
        return false;
    Application().Observer().Notify(
        {"exported: " + file.string(), "Relatório exportado para " + file.string() + "."});
    Application().Observer().ReportDelivered();
    return true;
}

bool TfrmDadosGerRel::ExportReport(ReportFileFormat format, std::ostream& out) {
    const ReportDefinition& definition = SelectedDefinition();
    const bool exported =
        ReadForReport(Context().Database(), [&](const ReportConnection& database) {
            const ReportRequest request = ReportRequestFor(definition, *database.engine);
            // A failure on the standby reads the report again on the primary: nothing may reach
            // `out` before the whole report was read there.
            return database.onStandby ? ExportReportWhole(request, format, out)
                                      : hostfw::ExportReport(request, format, out);
        });
    if (!exported)
        return false;
    Application().Observer().ReportDelivered();
    return true;
}

}  // namespace hostfw
