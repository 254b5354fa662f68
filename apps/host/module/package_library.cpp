#include "module/package_library.h"

#include <dlfcn.h>

#include "host/core/exception.h"

namespace host {

PackageLibrary::PackageLibrary(const std::filesystem::path& file)
    : handle_(dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL)) {
    if (handle_ == nullptr) {
        const char* reason = dlerror();
        throw hostfw::Exception("Não foi possível carregar o módulo '" + file.string() +
                                "': " + (reason != nullptr ? reason : "motivo desconhecido") + ".");
    }
}

PackageLibrary::~PackageLibrary() {
    dlclose(handle_);
}

void* PackageLibrary::Symbol(const std::string& name) const {
    return dlsym(handle_, name.c_str());
}

}  // namespace host
