#include "host/report/report_pager.h"

namespace hostfw {

ReportPager::ReportPager(std::size_t linesPerPage, PageSpool& spool)
    : linesPerPage_(linesPerPage), spool_(spool) {}

void ReportPager::KeepTogether(std::size_t lines) {
    if (!page_.empty() && page_.size() + lines > linesPerPage_)
        Flush();
}

void ReportPager::Add(PrintedLines lines) {
    for (PrintedLine& line : lines) {
        if (page_.size() == linesPerPage_)
            Flush();
        page_.push_back(std::move(line));
    }
}

void ReportPager::Finish() {
    if (!page_.empty() || spool_.PageCount() == 0)
        Flush();
}

void ReportPager::Flush() {
    spool_.Write(page_);
    page_.clear();
}

}  // namespace hostfw
