#include "headless_host.h"

#include "choice_store.h"
#include "form_choices.h"
#include "host/data/shared_database.h"
#include "host/session/session.h"
#include "host/ui/application.h"

namespace host {

HeadlessHost::HeadlessHost(const std::filesystem::path& package, std::ostream& transcript)
    : transcript_(transcript), ui_(transcript_, status_) {
    hostfw::Application().SetUi(&ui_);
    try {
        module_.emplace(package);
    } catch (...) {
        hostfw::Application().SetUi(nullptr);
        throw;
    }
    ui_.SetDeliveryObserver([this] { KeepDeliveredRunAsLastQuery(); });
}

void HeadlessHost::KeepDeliveredRunAsLastQuery() {
    try {
        KeepLastQuery(LiveReportCode(), CaptureChoices(*module_, std::nullopt));
    } catch (const std::exception& e) {
        ui_.ShowMessage(std::string("A última consulta não foi guardada: ") + e.what(),
                        hostfw::MessageKind::Warning);
    }
}

HeadlessHost::~HeadlessHost() {
    module_.reset();
    hostfw::CloseSharedDatabase();
    hostfw::Application().SetUi(nullptr);
}

bool HeadlessHost::Run(std::istream& script) {
    Interpreter interpreter(script, ui_, *module_);
    interpreter.Run();
    return !status_.Failed();
}

}  // namespace host
