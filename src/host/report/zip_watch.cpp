#include "host/report/zip_watch.h"

#include <dlfcn.h>
#include <minizip/zip.h>

#include "hostfw_export.h"

namespace hostfw {
namespace {

constexpr std::size_t kTailBytes = 32;
thread_local ZipWatchOnThisThread* watching = nullptr;

// minizip's own function of that name: the next one after the framework's in the search order.
template <class Function>
Function* Minizip(const char* name) {
    return reinterpret_cast<Function*>(dlsym(RTLD_NEXT, name));
}

}  // namespace

ZipWatchOnThisThread::ZipWatchOnThisThread(int level) : level_(level), outer_(watching) {
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

// Found before minizip's own by the dynamic linker, since the framework's library comes first
// in every program's search order.
extern "C" HOSTFW_EXPORT int zipOpenNewFileInZip4_64(
    zipFile file, const char* filename, const zip_fileinfo* zipfi, const void* extrafield_local,
    uInt size_extrafield_local, const void* extrafield_global, uInt size_extrafield_global,
    const char* comment, int method, int level, int raw, int windowBits, int memLevel, int strategy,
    const char* password, uLong crcForCrypting, uLong versionMadeBy, uLong flagBase, int zip64) {
    static const auto open =
        hostfw::Minizip<decltype(zipOpenNewFileInZip4_64)>("zipOpenNewFileInZip4_64");
    if (open == nullptr)
        return ZIP_INTERNALERROR;
    hostfw::ZipWatchOnThisThread* watch = hostfw::watching;
    if (watch != nullptr && method == Z_DEFLATED)
        level = watch->Level();
    const int result =
        open(file, filename, zipfi, extrafield_local, size_extrafield_local, extrafield_global,
             size_extrafield_global, comment, method, level, raw, windowBits, memLevel, strategy,
             password, crcForCrypting, versionMadeBy, flagBase, zip64);
    if (watch != nullptr && result == ZIP_OK)
        watch->Opened(filename);
    return result;
}

extern "C" HOSTFW_EXPORT int zipWriteInFileInZip(zipFile file, const void* buf, unsigned len) {
    static const auto write = hostfw::Minizip<decltype(zipWriteInFileInZip)>("zipWriteInFileInZip");
    if (write == nullptr)
        return ZIP_INTERNALERROR;
    const int result = write(file, buf, len);
    if (hostfw::watching != nullptr && result == ZIP_OK)
        hostfw::watching->Written(buf, len);
    return result;
}
