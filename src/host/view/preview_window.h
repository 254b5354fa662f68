#pragma once

#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>

#include "host/report/report_commands.h"
#include "host/ui/report_preview.h"
#include "host/view/run_progress.h"
#include "hostfw_view_export.h"

class QComboBox;
class QLabel;
class QPrintDialog;
class QPrinter;
class QScrollArea;
class QSpinBox;
class QToolButton;

namespace hostfw {
class LaidOutReport;
}

namespace hostfw::view {

class PageCanvas;

// The report preview: the laid-out pages drawn by the same page painter as the PDF, one at a
// time, with page navigation ("Página N de M", a page number typed), zoom (fit width, fit page,
// 100%, in and out by keys and Ctrl+wheel), the keys PgUp/PgDn, Home/End and Escape, and
// buttons, each with its key, to print (the system's print dialog) and to export the PDF, the
// CSV (standard or as Brazilian spreadsheets read it) or the XLSX. The report is laid out whole
// before the window opens (with the progress of a long run and its "Cancelar"), so the window
// holds no statement.
class HOSTFW_VIEW_EXPORT PreviewWindow : public QWidget {
public:
    enum class Zoom { FitWidth, FitPage, Actual, Percent };
    enum class ExportKind { Pdf, Csv, Xlsx };

    PreviewWindow(std::shared_ptr<const ReportPreview> preview, QWidget* parent);
    ~PreviewWindow() override;

    int PageNumber() const { return page_; }
    int PageCount() const;
    void ShowPage(int number);
    void SetZoom(Zoom zoom);
    // One step of the zoom in (+1) or out (-1), from what is shown now.
    void ZoomStep(int direction);
    // The page's size against its own (100).
    int ZoomPercent() const;
    QSpinBox& PageBox() { return *pageBox_; }
    // The print dialog Imprimir opens, over a printer set for the report's pages.
    std::unique_ptr<QPrintDialog> MakePrintDialog(QPrinter& printer);
    QLabel& PageLabel() { return *pageLabel_; }
    QLabel& Notice() { return *notice_; }
    RunProgressDialog& Progress() { return progress_; }
    // The pages as a PDF file, or the report's rows as CSV or XLSX (with the progress of a
    // long run and its "Cancelar"), written whole or not at all. False when cancelled, when
    // it failed (a message says why), or when there is nothing to export.
    bool ExportPdf(const std::filesystem::path& file);
    bool ExportRows(const std::filesystem::path& file, ReportFileFormat format);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Ctrl+wheel over the page zooms.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Runs an export or a print, its progress shown; a cancelled run leaves only a notice.
    bool RunLong(const QString& what, const std::function<bool()>& run);
    void Print();
    // Asks for the file (and, for a CSV, its form), then writes it.
    void ExportTo(ExportKind kind);
    void ShowPageLabel();

    std::shared_ptr<const ReportPreview> preview_;
    const LaidOutReport* pages_;  // nullptr for a preview that is only text
    PageCanvas* canvas_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QSpinBox* pageBox_ = nullptr;
    QLabel* notice_ = nullptr;
    QComboBox* zoom_ = nullptr;
    RunProgressDialog progress_;
    int page_ = 1;
    int percent_ = 100;  // the zoom Percent shows
};

}  // namespace hostfw::view
