#include "host/ui/package_entry.h"

#include "host/core/exception.h"
#include "host/ui/host_context.h"

namespace hostfw {
namespace {

thread_local HostContext* entered = nullptr;

HostContext& EnteredContext(const char* asked) {
    if (entered == nullptr) {
        throw Exception(std::string(asked) +
                        "() foi chamado fora da entrada de um pacote (IniProc) e fora de um "
                        "formulário: nenhuma aplicação a que responder.");
    }
    return *entered;
}

}  // namespace

PackageEntry::PackageEntry(HostContext& context) : previous_(entered) {
    entered = &context;
}

PackageEntry::~PackageEntry() {
    entered = previous_;
}

TApplication& Application() {
    return EnteredContext("Application").Application();
}

TScreen& Screen() {
    return EnteredContext("Screen").Screen();
}

}  // namespace hostfw
