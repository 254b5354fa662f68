#include "host/core/import_redirect.h"

#include <dlfcn.h>
#include <elf.h>
#include <link.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>

#include "host/core/exception.h"
#include "host/core/system_error_text.h"

namespace hostfw {
namespace {

#if defined(__x86_64__)
constexpr std::uint32_t kJumpSlot = R_X86_64_JUMP_SLOT;
constexpr std::uint32_t kGlobalData = R_X86_64_GLOB_DAT;
#elif defined(__aarch64__)
constexpr std::uint32_t kJumpSlot = R_AARCH64_JUMP_SLOT;
constexpr std::uint32_t kGlobalData = R_AARCH64_GLOB_DAT;
#else
#error "import slots are only known on x86-64 and AArch64"
#endif

struct Request {
    const char* libraryPath;
    const char* function;
    void* replacement;
    bool libraryFound = false;
    int slotsRewritten = 0;
    std::string failure;
};

std::uintptr_t Absolute(const dl_phdr_info& library, ElfW(Addr) address) {
    // glibc has already relocated the dynamic section's addresses; other loaders may not have.
    return address < library.dlpi_addr ? library.dlpi_addr + address : address;
}

// Read-only after relocation (RELRO) or writable all along: what the slot's page goes back to.
int ProtectionAfter(const dl_phdr_info& library, std::uintptr_t slot) {
    for (int i = 0; i < library.dlpi_phnum; ++i) {
        const ElfW(Phdr)& header = library.dlpi_phdr[i];
        const std::uintptr_t start = library.dlpi_addr + header.p_vaddr;
        if (header.p_type == PT_GNU_RELRO && slot >= start && slot < start + header.p_memsz)
            return PROT_READ;
    }
    return PROT_READ | PROT_WRITE;
}

bool Rewrite(const dl_phdr_info& library, std::uintptr_t slot, Request& request) {
    const auto page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    void* start = reinterpret_cast<void*>(slot & ~(page - 1));
    if (mprotect(start, page, PROT_READ | PROT_WRITE) != 0) {
        request.failure = SystemErrorText(errno);
        return false;
    }
    *reinterpret_cast<void**>(slot) = request.replacement;
    mprotect(start, page, ProtectionAfter(library, slot));
    ++request.slotsRewritten;
    return true;
}

void RewriteSlots(const dl_phdr_info& library, const ElfW(Dyn) * dynamic, Request& request) {
    const ElfW(Sym)* symbols = nullptr;
    const char* names = nullptr;
    std::uintptr_t tables[2] = {0, 0};  // the PLT's relocations, then the others
    std::size_t sizes[2] = {0, 0};
    bool plainRel = false;
    for (const ElfW(Dyn)* entry = dynamic; entry->d_tag != DT_NULL; ++entry) {
        switch (entry->d_tag) {
            case DT_SYMTAB:
                symbols = reinterpret_cast<const ElfW(Sym)*>(Absolute(library, entry->d_un.d_ptr));
                break;
            case DT_STRTAB:
                names = reinterpret_cast<const char*>(Absolute(library, entry->d_un.d_ptr));
                break;
            case DT_JMPREL:
                tables[0] = Absolute(library, entry->d_un.d_ptr);
                break;
            case DT_PLTRELSZ:
                sizes[0] = entry->d_un.d_val;
                break;
            case DT_RELA:
                tables[1] = Absolute(library, entry->d_un.d_ptr);
                break;
            case DT_RELASZ:
                sizes[1] = entry->d_un.d_val;
                break;
            case DT_PLTREL:
                plainRel = entry->d_un.d_val != DT_RELA;
                break;
            default:
                break;
        }
    }
    if (symbols == nullptr || names == nullptr || plainRel) {
        request.failure = "tabela de importações em formato desconhecido";
        return;
    }
    for (int table = 0; table < 2; ++table) {
        const auto* relocations = reinterpret_cast<const ElfW(Rela)*>(tables[table]);
        const std::size_t count = relocations == nullptr ? 0 : sizes[table] / sizeof(ElfW(Rela));
        for (std::size_t i = 0; i < count; ++i) {
            const ElfW(Rela)& relocation = relocations[i];
            const auto type = static_cast<std::uint32_t>(ELF64_R_TYPE(relocation.r_info));
            const ElfW(Sym)& symbol = symbols[ELF64_R_SYM(relocation.r_info)];
            if ((type != kJumpSlot && type != kGlobalData) ||
                std::strcmp(names + symbol.st_name, request.function) != 0)
                continue;
            if (!Rewrite(library, library.dlpi_addr + relocation.r_offset, request))
                return;
        }
    }
}

int VisitLibrary(dl_phdr_info* library, std::size_t /*size*/, void* data) {
    auto& request = *static_cast<Request*>(data);
    if (library->dlpi_name == nullptr || std::strcmp(library->dlpi_name, request.libraryPath) != 0)
        return 0;
    request.libraryFound = true;
    for (int i = 0; i < library->dlpi_phnum; ++i) {
        const ElfW(Phdr)& header = library->dlpi_phdr[i];
        if (header.p_type == PT_DYNAMIC) {
            RewriteSlots(*library,
                         reinterpret_cast<const ElfW(Dyn)*>(library->dlpi_addr + header.p_vaddr),
                         request);
        }
    }
    return 1;
}

}  // namespace

void RedirectImport(const void* anyOfItsFunctions, const char* function, void* replacement) {
    Dl_info where{};
    const std::string what = std::string("a chamada de ") + function;
    if (dladdr(anyOfItsFunctions, &where) == 0 || where.dli_fname == nullptr)
        throw Exception("Não foi possível desviar " + what + ": biblioteca não encontrada.");
    // A library linked into the program (or into the framework) has no import slots of its own:
    // rewriting the program's would catch every caller.
    Dl_info self{};
    if (dladdr(reinterpret_cast<const void*>(&RedirectImport), &self) != 0 &&
        self.dli_fbase == where.dli_fbase) {
        throw Exception("Não foi possível desviar " + what +
                        ": a biblioteca não é um objeto compartilhado próprio.");
    }
    Request request{where.dli_fname, function, replacement, false, 0, {}};
    dl_iterate_phdr(VisitLibrary, &request);
    if (!request.failure.empty()) {
        throw Exception("Não foi possível desviar " + what + " em " + where.dli_fname + ": " +
                        request.failure + ".");
    }
    if (!request.libraryFound || request.slotsRewritten == 0) {
        throw Exception("Não foi possível desviar " + what + ": " + where.dli_fname +
                        " não a importa.");
    }
}

}  // namespace hostfw
