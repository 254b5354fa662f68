#include "host/report/pdf_page_renderer.h"

#include <QFont>
#include <QFontMetricsF>
#include <QIODevice>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <algorithm>
#include <exception>
#include <ostream>

#include "host/core/exception.h"
#include "host/report/gui_application.h"
#include "host/report/line_layout.h"
#include "host/report/pdf_fonts.h"
#include "host/report/pdf_text_metrics.h"

namespace hostfw {
namespace {

constexpr double kMarginMillimetres = 10.0;
// Share of a line's height the letters take; the rest separates the lines.
constexpr double kFontToLine = 0.78;
// Widest average advance of DejaVu Sans (capitals and digits), in ems, kept within a grid cell.
constexpr double kAverageAdvanceEm = 0.68;

QFont ReportFont(double pointSize, bool bold) {
    QFont font(DejaVuSansFamily());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    // Without kerning or ligatures a text is exactly as wide as its characters, which the
    // metrics cache; and the PDF's text reads back as written ("fi", not one glyph).
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

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
    const ReportDefinition& definition;
    StreamDevice device;
    QPdfWriter writer;
    QPainter painter;
    double width = 0;  // printable width, device units
    double lineHeight = 0;
    double cellWidth = 0;  // one column of the character grid
    QFont regular;
    QFont bold;
    std::unique_ptr<PdfTextMetrics> regularMetrics;
    std::unique_ptr<PdfTextMetrics> boldMetrics;
    double baseline = 0;  // from the top of a line

    Document(std::ostream& out, const ReportDefinition& report)
        : definition(report), device(out), writer(&device) {
        const auto orientation = report.orientation == PageOrientation::Portrait
                                     ? QPageLayout::Portrait
                                     : QPageLayout::Landscape;
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), orientation,
                                         QMarginsF(kMarginMillimetres, kMarginMillimetres,
                                                   kMarginMillimetres, kMarginMillimetres),
                                         QPageLayout::Millimeter));
        writer.setTitle(QString::fromStdString(report.title));
        writer.setCreator(QString::fromStdString("Relatório " + report.reportCode));

        const QRectF paint = writer.pageLayout().paintRectPoints();
        const double pointsPerUnit = 72.0 / writer.resolution();
        width = paint.width() / pointsPerUnit;
        lineHeight = paint.height() / pointsPerUnit / static_cast<double>(report.pageLines);
        cellWidth = width / static_cast<double>(report.pageWidth);
        const double pointSize = std::min(lineHeight * pointsPerUnit * kFontToLine,
                                          cellWidth * pointsPerUnit / kAverageAdvanceEm);
        regular = ReportFont(pointSize, false);
        bold = ReportFont(pointSize, true);
        if (!painter.begin(&writer)) {
            throw Exception("Não foi possível criar o PDF.");
        }
        regularMetrics = std::make_unique<PdfTextMetrics>(regular, &writer);
        boldMetrics = std::make_unique<PdfTextMetrics>(bold, &writer);
        const QFontMetricsF metrics(regular, &writer);
        baseline = (lineHeight + metrics.ascent() - metrics.descent()) / 2;
        painter.setPen(QPen(Qt::black, 0.5 / pointsPerUnit));
    }

    void DrawLine(const PrintedLine& line, std::size_t index) {
        const double top = lineHeight * static_cast<double>(index);
        if (line.kind == BandLine::Kind::Rule) {
            painter.drawLine(QPointF(0, top + lineHeight / 2),
                             QPointF(width, top + lineHeight / 2));
            return;
        }
        const bool isBold = line.style == LineStyle::Bold;
        painter.setFont(isBold ? bold : regular);
        const PdfTextMetrics& metrics = isBold ? *boldMetrics : *regularMetrics;
        const double y = top + baseline;
        if (line.kind == BandLine::Kind::Text) {
            const TextMeasure measure{
                [&](const std::string& text) {
                    return metrics.Width(QString::fromStdString(text));
                },
                [&](const std::string& text, double room) {
                    return metrics.Elide(QString::fromStdString(text), room).toStdString();
                }};
            for (const PlacedText& part : PlaceTextParts(line, width, cellWidth, measure)) {
                painter.drawText(QPointF(part.x, y), QString::fromStdString(part.text));
            }
            return;
        }
        for (const CellSpan& span : CellSpans(line, definition.columns)) {
            const double room = cellWidth * static_cast<double>(span.width);
            const QString text = metrics.Elide(QString::fromStdString(*span.text), room);
            const double free = room - metrics.Width(text);
            const double offset = span.align == TextAlign::Right    ? free
                                  : span.align == TextAlign::Center ? free / 2
                                                                    : 0;
            painter.drawText(QPointF(cellWidth * static_cast<double>(span.start) + offset, y),
                             text);
        }
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
    std::size_t index = 0;
    for (const PrintedLine& line : page.header)
        d.DrawLine(line, index++);
    for (const PrintedLine& line : page.body)
        d.DrawLine(line, index++);
    index = d.definition.pageLines - page.footer.size();
    for (const PrintedLine& line : page.footer)
        d.DrawLine(line, index++);
}

void PdfPageRenderer::Finish() {
    const bool ended = document_->painter.end();
    document_->device.RaiseFailure();
    if (!ended)
        throw Exception("Falha ao gravar o PDF.");
}

}  // namespace hostfw
