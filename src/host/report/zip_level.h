#pragma once

namespace hostfw {

// libxlsxwriter compresses a workbook at zlib's default level and has no setting for it; the
// deflate of a large sheet is then most of an export. While one of these lives, the zip entries
// that minizip opens on this thread use `level` instead. The framework stands in for the one
// minizip function that opens an entry and passes everything else on as it came; should that
// stand-in not be the one called (another way of linking), the entries keep the default.
class ZipLevelOnThisThread {
public:
    explicit ZipLevelOnThisThread(int level);
    ~ZipLevelOnThisThread();
    ZipLevelOnThisThread(const ZipLevelOnThisThread&) = delete;
    ZipLevelOnThisThread& operator=(const ZipLevelOnThisThread&) = delete;

private:
    int kept_;
};

}  // namespace hostfw
