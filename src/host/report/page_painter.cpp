#include "host/report/page_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>
#include <algorithm>

#include "host/report/gui_application.h"
#include "host/report/line_layout.h"
#include "host/report/pdf_fonts.h"
#include "host/report/pdf_text_metrics.h"

namespace hostfw {
namespace {

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

}  // namespace

struct PagePainter::Layout {
    const ReportDefinition& definition;
    double width = 0;
    double lineHeight = 0;
    double cellWidth = 0;  // one column of the character grid
    double pointsPerUnit = 0;
    QFont regular;
    QFont bold;
    std::unique_ptr<PdfTextMetrics> regularMetrics;
    std::unique_ptr<PdfTextMetrics> boldMetrics;
    double baseline = 0;  // from the top of a line

    Layout(const ReportDefinition& report, QPaintDevice& device, double printableWidth,
           double printableHeight)
        : definition(report), width(printableWidth) {
        pointsPerUnit = 72.0 / device.logicalDpiY();
        lineHeight = printableHeight / static_cast<double>(report.pageLines);
        cellWidth = width / static_cast<double>(report.pageWidth);
        const double pointSize = std::min(lineHeight * pointsPerUnit * kFontToLine,
                                          cellWidth * pointsPerUnit / kAverageAdvanceEm);
        regular = ReportFont(pointSize, false);
        bold = ReportFont(pointSize, true);
        regularMetrics = std::make_unique<PdfTextMetrics>(regular, &device);
        boldMetrics = std::make_unique<PdfTextMetrics>(bold, &device);
        const QFontMetricsF metrics(regular, &device);
        baseline = (lineHeight + metrics.ascent() - metrics.descent()) / 2;
    }

    void drawLine(QPainter& painter, const PrintedLine& line, std::size_t index) const {
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

PagePainter::PagePainter(const ReportDefinition& definition, QPaintDevice& device, double width,
                         double height) {
    EnsureGuiApplication();
    layout_ = std::make_unique<Layout>(definition, device, width, height);
}

PagePainter::~PagePainter() = default;

void PagePainter::Paint(QPainter& painter, const FramedPage& page) const {
    const Layout& l = *layout_;
    painter.setPen(QPen(Qt::black, 0.5 / l.pointsPerUnit));
    std::size_t index = 0;
    for (const PrintedLine& line : page.header)
        l.drawLine(painter, line, index++);
    for (const PrintedLine& line : page.body)
        l.drawLine(painter, line, index++);
    index = l.definition.pageLines - page.footer.size();
    for (const PrintedLine& line : page.footer)
        l.drawLine(painter, line, index++);
}

}  // namespace hostfw
