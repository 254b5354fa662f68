#include "host/report/zip_level.h"

#include <dlfcn.h>
#include <minizip/zip.h>

#include "hostfw_export.h"

namespace hostfw {
namespace {

constexpr int kAsAsked = -2;  // zlib's levels run from -1 (its default) to 9
thread_local int chosenLevel = kAsAsked;

}  // namespace

ZipLevelOnThisThread::ZipLevelOnThisThread(int level) : kept_(chosenLevel) {
    chosenLevel = level;
}

ZipLevelOnThisThread::~ZipLevelOnThisThread() {
    chosenLevel = kept_;
}

}  // namespace hostfw

// Found before minizip's own by the dynamic linker, since the framework's library comes first
// in every program's search order; minizip's is the next one.
extern "C" HOSTFW_EXPORT int zipOpenNewFileInZip4_64(
    zipFile file, const char* filename, const zip_fileinfo* zipfi, const void* extrafield_local,
    uInt size_extrafield_local, const void* extrafield_global, uInt size_extrafield_global,
    const char* comment, int method, int level, int raw, int windowBits, int memLevel, int strategy,
    const char* password, uLong crcForCrypting, uLong versionMadeBy, uLong flagBase, int zip64) {
    using Open = decltype(&zipOpenNewFileInZip4_64);
    static const auto minizip = reinterpret_cast<Open>(dlsym(RTLD_NEXT, "zipOpenNewFileInZip4_64"));
    if (minizip == nullptr)
        return ZIP_INTERNALERROR;
    if (method == Z_DEFLATED && hostfw::chosenLevel != hostfw::kAsAsked)
        level = hostfw::chosenLevel;
    return minizip(file, filename, zipfi, extrafield_local, size_extrafield_local,
                   extrafield_global, size_extrafield_global, comment, method, level, raw,
                   windowBits, memLevel, strategy, password, crcForCrypting, versionMadeBy,
                   flagBase, zip64);
}
