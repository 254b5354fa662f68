#pragma once

#include <string>
#include <vector>

namespace hostfw {

// libxlsxwriter writes its zip through minizip at zlib's default level, with no setting for
// it, and copies each sheet into the zip from temporary files whose writes it does not check:
// a temporary folder that fills up leaves a cut sheet in a file it calls written. While one of
// these lives, the zip entries libxlsxwriter opens on this thread are deflated at `level`, and
// what goes into each is followed. libxlsxwriter's own imports of minizip's two functions that
// open an entry and write into it are pointed at the framework's (RedirectImport), once, when
// the first watch starts; where that cannot be done the watch refuses to start, so an export
// never goes on unchecked.
class ZipWatchOnThisThread {
public:
    struct Entry {
        std::string name;
        std::string tail;  // the last bytes written into it
    };

    // Raises an Exception when libxlsxwriter's calls cannot be followed.
    explicit ZipWatchOnThisThread(int level);
    ~ZipWatchOnThisThread();
    ZipWatchOnThisThread(const ZipWatchOnThisThread&) = delete;
    ZipWatchOnThisThread& operator=(const ZipWatchOnThisThread&) = delete;

    int Level() const { return level_; }
    const std::vector<Entry>& Entries() const { return entries_; }
    void Opened(const char* name) { entries_.push_back({name, {}}); }
    void Written(const void* bytes, unsigned count);

private:
    int level_;
    std::vector<Entry> entries_;
    ZipWatchOnThisThread* outer_;
};

}  // namespace hostfw
