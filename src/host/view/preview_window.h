#pragma once

#include <QWidget>
#include <filesystem>
#include <memory>

#include "host/ui/report_preview.h"
#include "hostfw_view_export.h"

class QComboBox;
class QLabel;
class QScrollArea;
class QToolButton;

namespace hostfw {
class LaidOutReport;
}

namespace hostfw::view {

class PageCanvas;

// The report preview: the laid-out pages drawn by the same page painter as the PDF, one at a
// time, with page navigation ("Página N de M"), zoom (fit width, fit page, 100%), the keys
// PgUp/PgDn, Home/End, Ctrl+P and Escape, and buttons to print (the system's print dialog) and
// to export the PDF.
class HOSTFW_VIEW_EXPORT PreviewWindow : public QWidget {
public:
    enum class Zoom { FitWidth, FitPage, Actual };

    PreviewWindow(std::shared_ptr<const ReportPreview> preview, QWidget* parent);
    ~PreviewWindow() override;

    int PageNumber() const { return page_; }
    int PageCount() const;
    void ShowPage(int number);
    void SetZoom(Zoom zoom);
    QLabel& PageLabel() { return *pageLabel_; }
    // The pages as a PDF file, written whole or not at all. False when there are no pages.
    bool ExportPdf(const std::filesystem::path& file) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void print();
    void exportPdf();
    void showPageLabel();

    std::shared_ptr<const ReportPreview> preview_;
    const LaidOutReport* pages_;  // nullptr for a preview that is only text
    PageCanvas* canvas_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QComboBox* zoom_ = nullptr;
    int page_ = 1;
};

}  // namespace hostfw::view
