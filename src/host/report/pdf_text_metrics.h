#pragma once

#include <QFont>
#include <QPaintDevice>
#include <QString>
#include <unordered_map>

namespace hostfw {

// Widths of texts in one font on the PDF, from cached character advances: a report measures
// every cell of every row, and asking Qt to lay out each text is many times slower.
// Exact because the report fonts do without kerning.
class PdfTextMetrics {
public:
    PdfTextMetrics(const QFont& font, QPaintDevice* device);
    double Width(const QString& text) const;
    // The text cut to fit `room`, ending in "…" when it was cut.
    QString Elide(const QString& text, double room) const;

private:
    double Advance(char16_t unit) const;
    QFont font_;
    QPaintDevice* device_;
    mutable std::unordered_map<char16_t, double> advances_;
};

}  // namespace hostfw
