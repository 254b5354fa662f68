#pragma once

#include <cstdio>
#include <memory>
#include <vector>

#include "host/report/printed_line.h"

namespace hostfw {

// Laid-out page bodies kept in an anonymous temporary file until the last row is read and
// the page count is known, so memory holds one page whatever the number of rows. Pages
// already written can be read while more are still being written.
class PageSpool {
public:
    PageSpool();
    void Write(const PrintedLines& body);
    int PageCount() const { return pageCount_; }
    // Starts reading from the first page; Read gives false after the last one.
    void Rewind() { Seek(0); }
    // Starts reading from page `index` (0-based), so a window can show any page on demand.
    void Seek(int index);
    bool Read(PrintedLines& body);

private:
    struct CloseFile {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, CloseFile> file_;
    std::vector<long> pageOffsets_;
    long end_ = 0;
    int pageCount_ = 0;
    int pagesRead_ = 0;
};

}  // namespace hostfw
