#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "host/report/printed_line.h"
#include "host/report/report_definition.h"

namespace hostfw {

// Where a cell of a Cells line goes on the character grid. A cell runs on over the empty
// cells to its right, so a label like "Total da filial" is not cut to one narrow column.
struct CellSpan {
    const std::string* text;
    std::size_t start;
    std::size_t width;
    TextAlign align;
};
std::vector<CellSpan> CellSpans(const PrintedLine& line, const std::vector<ReportColumn>& columns);

// How a renderer measures text and cuts it to a width, in its own unit (grid columns, points).
struct TextMeasure {
    std::function<double(const std::string&)> width;
    std::function<std::string(const std::string&, double)> fit;
};

struct PlacedText {
    std::string text;
    double x;
};

// The left, centre and right parts of a Text line on a line `lineWidth` wide, at least `gap`
// apart. The left part has the room first, then the right, then the centre; a part that
// does not fit in what is left is cut.
std::vector<PlacedText> PlaceTextParts(const PrintedLine& line, double lineWidth, double gap,
                                       const TextMeasure& measure);

}  // namespace hostfw
