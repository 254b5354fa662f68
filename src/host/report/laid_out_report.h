#pragma once

#include <filesystem>
#include <functional>
#include <memory>

#include "host/report/printed_line.h"
#include "host/report/report_commands.h"
#include "host/report/report_request.h"
#include "host/ui/report_preview.h"
#include "hostfw_export.h"

namespace hostfw {

class PagedLayout;

// A report laid out for the screen: a window draws any of its pages on demand, exactly as the
// PDF draws them; without a window its text stands in.
class HOSTFW_EXPORT LaidOutReport : public ReportPreview {
public:
    // Runs the query and lays out every page (the request's progress handler may stop it);
    // `database` is the request's engine, kept for an export of the same rows later. Nothing
    // when the form's handler cancelled the run.
    static std::unique_ptr<LaidOutReport> Start(const ReportRequest& request,
                                                std::shared_ptr<Engine> database);
    ~LaidOutReport() override;

    const std::string& Title() const override;
    void WriteText(std::ostream& out) const override;
    const ReportDefinition& Definition() const;

    long long RowsRead() const;
    int PageCount() const;
    // Page `number`, 1 to PageCount.
    FramedPage Page(int number) const;

    // The report's rows again, with the parameters this preview ran with, as CSV or XLSX into
    // a file replaced whole; `progress` as for any run (false stops it, ReportCancelled).
    void ExportRows(const std::filesystem::path& file, ReportFileFormat format,
                    std::function<bool(const RunStep& step)> progress) const;
    // The pages as a PDF file replaced whole.
    void ExportPdf(const std::filesystem::path& file) const;

private:
    LaidOutReport(std::unique_ptr<PagedLayout> layout, std::shared_ptr<Engine> database,
                  TDateTime printedAt);
    std::shared_ptr<Engine> database_;
    // Reading a page moves the spool's file position: it changes the layout behind a preview
    // that is otherwise read-only.
    std::unique_ptr<PagedLayout> layout_;
    TDateTime printedAt_;
};

}  // namespace hostfw
