#include "host/report/pdf_page_renderer.h"

#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <exception>
#include <ostream>

#include "host/core/exception.h"
#include "host/report/gui_application.h"
#include "host/report/page_painter.h"

namespace hostfw {
namespace {

// The PDF as Qt writes it, handed to a standard stream. An exception must not cross Qt's
// frames, so a failed write is kept and raised once Qt has returned.
class StreamDevice : public QIODevice {
public:
    explicit StreamDevice(std::ostream& out) : out_(out) { open(QIODevice::WriteOnly); }

    void RaiseFailure() const {
        if (failure_)
            std::rethrow_exception(failure_);
        if (!out_)
            throw Exception("Falha ao gravar o PDF.");
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        try {
            out_.write(data, static_cast<std::streamsize>(size));
        } catch (...) {
            failure_ = std::current_exception();
        }
        return failure_ || !out_ ? -1 : size;
    }

private:
    std::ostream& out_;
    std::exception_ptr failure_;
};

}  // namespace

struct PdfPageRenderer::Document {
    StreamDevice device;
    QPdfWriter writer;
    QPainter painter;
    std::unique_ptr<PagePainter> pages;

    Document(std::ostream& out, const ReportDefinition& report) : device(out), writer(&device) {
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
            throw Exception("Não foi possível criar o PDF.");
        }
        pages = std::make_unique<PagePainter>(report, writer, paint.width() / pointsPerUnit,
                                              paint.height() / pointsPerUnit);
    }
};

PdfPageRenderer::PdfPageRenderer(std::ostream& out, const ReportDefinition& definition) {
    EnsureGuiApplication();
    document_ = std::make_unique<Document>(out, definition);
}

PdfPageRenderer::~PdfPageRenderer() = default;

void PdfPageRenderer::RenderPage(const FramedPage& page) {
    Document& d = *document_;
    if (page.number > 1) {
        const bool started = d.writer.newPage();
        d.device.RaiseFailure();  // the finished page went out now
        if (!started)
            throw Exception("Falha ao gravar o PDF.");
    }
    d.pages->Paint(d.painter, page);
}

void PdfPageRenderer::Finish() {
    const bool ended = document_->painter.end();
    document_->device.RaiseFailure();
    if (!ended)
        throw Exception("Falha ao gravar o PDF.");
}

}  // namespace hostfw
