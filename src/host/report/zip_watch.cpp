#include "host/report/zip_watch.h"

#include <minizip/zip.h>
#include <xlsxwriter.h>

#include <string>

#include "host/core/exception.h"
#include "host/core/import_redirect.h"

namespace hostfw {
namespace {

constexpr std::size_t kTailBytes = 32;
thread_local ZipWatchOnThisThread* watching = nullptr;

// libxlsxwriter's calls of minizip land here; every other caller of minizip is left alone.
int OpenEntry(zipFile file, const char* filename, const zip_fileinfo* zipfi,
              const void* extrafield_local, uInt size_extrafield_local,
              const void* extrafield_global, uInt size_extrafield_global, const char* comment,
              int method, int level, int raw, int windowBits, int memLevel, int strategy,
              const char* password, uLong crcForCrypting, uLong versionMadeBy, uLong flagBase,
              int zip64) {
    ZipWatchOnThisThread* watch = watching;
    if (watch != nullptr && method == Z_DEFLATED)
        level = watch->Level();
    const int result = zipOpenNewFileInZip4_64(
        file, filename, zipfi, extrafield_local, size_extrafield_local, extrafield_global,
        size_extrafield_global, comment, method, level, raw, windowBits, memLevel, strategy,
        password, crcForCrypting, versionMadeBy, flagBase, zip64);
    if (watch != nullptr && result == ZIP_OK)
        watch->Opened(filename);
    return result;
}

int WriteIntoEntry(zipFile file, const void* buf, unsigned len) {
    const int result = zipWriteInFileInZip(file, buf, len);
    if (watching != nullptr && result == ZIP_OK)
        watching->Written(buf, len);
    return result;
}

// Once per process, before the first workbook; a failure is kept and raised at every workbook.
struct Redirection {
    std::string failure;
    Redirection() {
        try {
            const auto library = reinterpret_cast<const void*>(&workbook_new_opt);
            RedirectImport(library, "zipOpenNewFileInZip4_64", reinterpret_cast<void*>(&OpenEntry));
            RedirectImport(library, "zipWriteInFileInZip",
                           reinterpret_cast<void*>(&WriteIntoEntry));
        } catch (const Exception& e) {
            failure = e.what();
        }
    }
};

}  // namespace

ZipWatchOnThisThread::ZipWatchOnThisThread(int level) : level_(level), outer_(watching) {
    static const Redirection redirection;
    if (!redirection.failure.empty())
        throw Exception("A exportação XLSX não pode conferir o que grava. " + redirection.failure);
    watching = this;
}

ZipWatchOnThisThread::~ZipWatchOnThisThread() {
    watching = outer_;
}

void ZipWatchOnThisThread::Written(const void* bytes, unsigned count) {
    if (entries_.empty())
        return;
    Entry& entry = entries_.back();
    entry.tail.append(static_cast<const char*>(bytes), count);
    if (entry.tail.size() > kTailBytes)
        entry.tail.erase(0, entry.tail.size() - kTailBytes);
}

}  // namespace hostfw
