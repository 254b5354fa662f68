// One timed preview of report EXP036 (the issue-date variant, every client, destination and
// invoice, the four statuses) over a demo database, as the form runs it: the query read and
// every page laid out, then the preview window shown with page 1 painted. Prints the time to
// that first page on screen, the page and row counts and the peak memory; asserts nothing.
#include <sys/resource.h>

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <string>

#include "host/core/date_time.h"
#include "host/data/engine.h"
#include "host/report/laid_out_report.h"
#include "host/report/report_catalog.h"
#include "host/view/preview_window.h"
#include "report_choices.h"

namespace {

using namespace hostfw;
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "uso: %s BANCO PASTA_RELATORIOS FILIAL\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    try {
        const std::shared_ptr<Engine> engine = OpenDatabase(argv[1]);
        const ReportCatalog catalog = ReportCatalog::Load(argv[2], "EXP036");
        const std::string branch = argv[3];
        const ReportRequest request{
            *engine,
            catalog.Definition(0),
            [&](TParams& params, bool&) { benchsupport::AssignWholeReport(params, branch); },
            std::nullopt,
            {}};

        const auto start = Clock::now();
        std::shared_ptr<const ReportPreview> preview = LaidOutReport::Start(request, engine);
        auto* window = new view::PreviewWindow(preview, nullptr);
        window->show();
        window->repaint();
        const double shown = SecondsSince(start);
        const auto& pages = static_cast<const LaidOutReport&>(*preview);
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("first_page_s=%.3f pages=%d rows=%lld peak_rss_mb=%.1f\n", shown,
                    pages.PageCount(), pages.RowsRead(),
                    static_cast<double>(usage.ru_maxrss) / 1024.0);
        delete window;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
