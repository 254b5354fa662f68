#include "host/report/pdf_text_metrics.h"

#include <QFontMetricsF>

namespace hostfw {

PdfTextMetrics::PdfTextMetrics(const QFont& font, QPaintDevice* device)
    : font_(font), device_(device) {}

double PdfTextMetrics::Advance(char16_t unit) const {
    const auto found = advances_.find(unit);
    if (found != advances_.end())
        return found->second;
    const double width = QFontMetricsF(font_, device_).horizontalAdvance(QChar(unit));
    advances_.emplace(unit, width);
    return width;
}

double PdfTextMetrics::Width(const QString& text) const {
    double width = 0;
    for (QChar c : text)
        width += Advance(c.unicode());
    return width;
}

QString PdfTextMetrics::Elide(const QString& text, double room) const {
    if (Width(text) <= room)
        return text;
    const QChar ellipsis(0x2026);
    double width = Advance(ellipsis.unicode());
    qsizetype keep = 0;
    while (keep < text.size() && width + Advance(text[keep].unicode()) <= room) {
        width += Advance(text[keep].unicode());
        ++keep;
    }
    // Never split a surrogate pair.
    if (keep > 0 && text[keep - 1].isHighSurrogate())
        --keep;
    return text.left(keep) + ellipsis;
}

}  // namespace hostfw
