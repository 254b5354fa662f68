#include "module/headless_host.h"

#include <sstream>

#include "choices/last_query.h"
#include "host/data/shared_database.h"
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
    ui_.SetDeliveryObserver([this] { KeepDeliveredRunAsLastQuery(ui_); });
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

bool HeadlessHost::Run(const std::function<void(ScriptContext&)>& step) {
    std::istringstream noLines;
    Interpreter interpreter(noLines, ui_, *module_);
    interpreter.RunStep(step);
    return !status_.Failed();
}

}  // namespace host
