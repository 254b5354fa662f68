#pragma once

#include <cstddef>

#include "host/report/page_spool.h"
#include "host/report/printed_line.h"

namespace hostfw {

// Cuts the stream of body lines into pages of a fixed number of lines; each full page goes to
// the spool at once, so the first page is laid out long before the last row is read.
class ReportPager {
public:
    ReportPager(std::size_t linesPerPage, PageSpool& spool);
    // Starts a new page unless `lines` more lines still fit on this one (a group heading is
    // not left alone at the foot of a page).
    void KeepTogether(std::size_t lines);
    void Add(PrintedLines lines);
    // Sends the last page; a report always has at least one.
    void Finish();

private:
    void Flush();
    std::size_t linesPerPage_;
    PageSpool& spool_;
    PrintedLines page_;
};

}  // namespace hostfw
