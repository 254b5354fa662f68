// One timed run of the client picker of the report form over a database of many clients, as a
// person gets there: the form opened, "Lista" chosen under "Cliente", the search button clicked.
// Headless the scripted picker answers with one client; through the view the real dialog
// opens, each column is sorted as a click on its header does, a filter is typed a character at
// a time, the rows left are marked and OK pressed. Prints the time to open, each sort, each
// filter step, the confirmation and the peak memory at the open and at the end; asserts
// nothing.
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "host/components/component.h"
#include "host/ui/application.h"
#include "host/ui/form.h"
#include "host/ui/host_context.h"
#include "host/ui/std_controls.h"
#include "host/ui/user_actions.h"
#include "host/view/list_picker_dialog.h"
#include "host/view/qt_host_ui.h"
#include "module/module_host.h"
#include "scripts/run_status.h"
#include "scripts/scripted_ui.h"
#include "scripts/transcript.h"
#include "session/session_setup.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The process's peak resident memory so far, in MB (VmHWM).
double PeakMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

// From the click on the search button to the picker on screen, then from the user's answer
// to the list stored.
struct Timings {
    Clock::time_point clicked;
    double openMs = 0;
    double openPeakMb = 0;
};

// The scripted picker, timed when the form asks it.
class TimedScriptedUi : public host::ScriptedUi {
public:
    TimedScriptedUi(host::Transcript& transcript, host::RunStatus& status, Timings& timings)
        : ScriptedUi(transcript, status), timings_(timings) {}
    std::optional<std::vector<size_t>> PickList(const hostfw::ListPickRequest& request) override {
        timings_.openMs = MillisecondsSince(timings_.clicked);
        timings_.openPeakMb = PeakMegabytes();
        const auto answering = Clock::now();
        auto answer = ScriptedUi::PickList(request);
        std::printf("open_ms=%.0f peak_at_open_mb=%.0f rows=%zu answer_ms=%.0f\n", timings_.openMs,
                    timings_.openPeakMb, request.rows->RowCount(), MillisecondsSince(answering));
        timings_.clicked = Clock::now();
        return answer;
    }

private:
    Timings& timings_;
};

// The real picker: timed once it is on screen, then operated as a person does.
class TimedViewUi : public hostfw::view::QtHostUi {
public:
    TimedViewUi(const hostfw::TScreen& screen, Timings& timings, std::string filter)
        : QtHostUi(screen), timings_(timings), filter_(filter) {
        SetShownHook([this](QWidget& widget) {
            if (auto* picker = dynamic_cast<hostfw::view::ListPickerDialog*>(&widget))
                Operate(*picker);
        });
    }

private:
    void Operate(hostfw::view::ListPickerDialog& picker) {
        QApplication::processEvents();  // the first rows painted
        timings_.openMs = MillisecondsSince(timings_.clicked);
        timings_.openPeakMb = PeakMegabytes();
        std::printf("open_ms=%.0f peak_at_open_mb=%.0f rows=%d\n", timings_.openMs,
                    timings_.openPeakMb, picker.Model().rowCount());
        // A click on each column's header: the rows put in that column's order.
        for (int column = picker.Model().FirstDataColumn(); column < picker.Model().columnCount();
             ++column) {
            const auto clicked = Clock::now();
            picker.Rows().Table().sortByColumn(column, Qt::AscendingOrder);
            QApplication::processEvents();
            std::printf("sort column=%d ms=%.0f peak_mb=%.0f\n", column, MillisecondsSince(clicked),
                        PeakMegabytes());
        }
        QLineEdit& box = picker.Rows().FilterBox();
        for (const QChar c : QString::fromStdString(filter_)) {
            const auto typed = Clock::now();
            QTest::keyClick(&box, c.toLatin1());
            QApplication::processEvents();
            std::printf("filter \"%s\" ms=%.0f rows=%d\n", box.text().toStdString().c_str(),
                        MillisecondsSince(typed), picker.Model().rowCount());
        }
        QTest::mouseClick(&picker.MarkAllButton(), Qt::LeftButton);
        timings_.clicked = Clock::now();
        QTest::mouseClick(&picker.OkButton(), Qt::LeftButton);
    }

    Timings& timings_;
    std::string filter_;
};

template <class Control>
Control& FindControl(const hostfw::HostContext& context, std::string_view name) {
    hostfw::TCustomForm* form = context.Screen().ActiveForm();
    if (form == nullptr)
        throw std::runtime_error("o formulário não abriu");
    return hostfw::ComponentByName<Control>(*form, name);
}

// Opens the form and clicks through to the client picker; the picker's answer ends the click.
void RunPicker(hostfw::HostContext& context, const std::filesystem::path& package,
               Timings& timings) {
    host::ModuleHost module(context, package);
    module.IniProc(hostfw::Variant::Null());
    hostfw::UserActions::Click(FindControl<hostfw::TRadioButton>(context, "rdbLCli"));
    timings.clicked = Clock::now();
    hostfw::UserActions::Click(FindControl<hostfw::TSpeedButton>(context, "btnCli"));
    std::printf("confirm_ms=%.0f list_chars=%zu\n", MillisecondsSince(timings.clicked),
                module.ReadVariable("stListaCliente").size());
    host::CloseAllForms(context.Application());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr,
                     "uso: %s BANCO PACOTE PASTA_RELATORIOS headless|view CHAVE_OU_FILTRO\n",
                     argv[0]);
        return 2;
    }
    const std::string mode = argv[4];
    host::HostOptions options;
    options.database = argv[1];
    options.branch = "0001";
    options.reportDir = argv[3];
    hostfw::HostContext context;
    host::ApplySessionOptions(options, context.Session());
    Timings timings;
    try {
        if (mode == "headless") {
            std::ofstream nowhere;
            host::Transcript transcript(nowhere);
            host::RunStatus status;
            TimedScriptedUi ui(transcript, status, timings);
            ui.QueuePick({0, std::vector<std::string>{argv[5]}});
            context.Application().SetUi(&ui);
            RunPicker(context, argv[2], timings);
            context.Application().SetUi(nullptr);
        } else if (mode == "view") {
            QApplication application(argc, argv);
            TimedViewUi ui(context.Screen(), timings, argv[5]);
            context.Application().SetUi(&ui);
            RunPicker(context, argv[2], timings);
            context.Application().SetUi(nullptr);
        } else {
            std::fprintf(stderr, "modo desconhecido: %s\n", mode.c_str());
            return 2;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::printf("peak_mb=%.0f\n", PeakMegabytes());
    return 0;
}
