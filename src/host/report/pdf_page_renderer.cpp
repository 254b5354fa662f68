#include "host/report/pdf_page_renderer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "host/core/exception.h"
#include "host/report/gui_application.h"
#include "host/report/page_painter.h"

namespace hostfw {

struct PdfPageRenderer::Document {
    QPdfWriter writer;
    QPainter painter;
    std::unique_ptr<PagePainter> pages;

    Document(const std::filesystem::path& file, const ReportDefinition& report)
        : writer(QString::fromStdString(file.string())) {
        const auto orientation = report.orientation == PageOrientation::Portrait
                                     ? QPageLayout::Portrait
                                     : QPageLayout::Landscape;
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation,
                                         QMarginsF(kPageMarginMillimetres, kPageMarginMillimetres,
                                                   kPageMarginMillimetres, kPageMarginMillimetres),
                                         QPageLayout::Millimeter));
        writer.setTitle(QString::fromStdString(report.title));
        writer.setCreator(QString::fromStdString("Relatório " + report.reportCode));

        const QRectF paint = writer.pageLayout().paintRectPoints();
        const double pointsPerUnit = 72.0 / writer.resolution();
        if (!painter.begin(&writer)) {
            throw Exception("Não foi possível criar o PDF '" + file.string() + "'.");
        }
        pages = std::make_unique<PagePainter>(report, writer, paint.width() / pointsPerUnit,
                                              paint.height() / pointsPerUnit);
    }
};

PdfPageRenderer::PdfPageRenderer(const std::filesystem::path& file,
                                 const ReportDefinition& definition) {
    EnsureGuiApplication();
    document_ = std::make_unique<Document>(file, definition);
}

PdfPageRenderer::~PdfPageRenderer() = default;

void PdfPageRenderer::RenderPage(const FramedPage& page) {
    Document& d = *document_;
    if (page.number > 1 && !d.writer.newPage())
        throw Exception("Falha ao gravar o PDF.");
    d.pages->Paint(d.painter, page);
}

void PdfPageRenderer::Finish() {
    if (!document_->painter.end())
        throw Exception("Falha ao gravar o PDF.");
}

}  // namespace hostfw
