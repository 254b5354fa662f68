#include "module/headless_host.h"

#include <sstream>

#include "choices/last_query.h"

namespace host {

HeadlessHost::HeadlessHost(hostfw::HostContext& context, const std::filesystem::path& package,
                           std::ostream& transcript)
    : context_(context), transcript_(transcript), ui_(transcript_, status_) {
    context_.Application().SetUi(ui_, ui_.Observer());
    try {
        module_.emplace(context_, package);
    } catch (...) {
        context_.Application().SetUi(nullptr);
        throw;
    }
    ui_.Observer().SetDeliveryObserver([this] { KeepDeliveredRunAsLastQuery(context_, ui_); });
}

HeadlessHost::~HeadlessHost() {
    module_.reset();
    context_.Database().Close();
    context_.Application().SetUi(nullptr);
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
