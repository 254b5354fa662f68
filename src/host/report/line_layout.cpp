#include "host/report/line_layout.h"

#include <algorithm>

namespace hostfw {

std::vector<CellSpan> CellSpans(const PrintedLine& line, const std::vector<ReportColumn>& columns) {
    std::vector<CellSpan> spans;
    std::size_t start = 0;
    for (std::size_t i = 0; i < columns.size() && i < line.texts.size(); ++i) {
        const std::size_t end = start + columns[i].width;
        if (!line.texts[i].empty()) {
            spans.push_back({&line.texts[i], start, columns[i].width, columns[i].align});
        } else if (!spans.empty() && spans.back().start + spans.back().width + 1 == start) {
            spans.back().width = end - spans.back().start;
        }
        start = end + 1;
    }
    return spans;
}

std::vector<PlacedText> PlaceTextParts(const PrintedLine& line, double lineWidth, double gap,
                                       const TextMeasure& measure) {
    auto fitted = [&](const std::string& text, double room) -> std::string {
        if (text.empty() || room <= 0)
            return {};
        return measure.width(text) > room ? measure.fit(text, room) : text;
    };
    const std::string left = fitted(line.texts[0], lineWidth);
    const double leftEnd = left.empty() ? 0 : measure.width(left) + gap;
    const std::string right = fitted(line.texts[2], lineWidth - leftEnd);
    const double rightStart = right.empty() ? lineWidth : lineWidth - measure.width(right) - gap;
    const std::string center = fitted(line.texts[1], rightStart - leftEnd);

    std::vector<PlacedText> placed;
    if (!left.empty())
        placed.push_back({left, 0});
    if (!center.empty()) {
        const double width = measure.width(center);
        const double x = std::max(leftEnd, std::min((lineWidth - width) / 2, rightStart - width));
        placed.push_back({center, x});
    }
    if (!right.empty())
        placed.push_back({right, lineWidth - measure.width(right)});
    return placed;
}

}  // namespace hostfw
