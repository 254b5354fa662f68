#pragma once

#include <optional>
#include <span>
#include <vector>

#include "host/report/bound_template.h"
#include "host/report/printed_line.h"
#include "host/report/report_definition.h"

namespace hostfw {

// A band whose names were looked up once; rendering gives one printed line per band line,
// each value kept to a single line of text.
class BoundBand {
public:
    BoundBand(const Band& band, const NameIndex& names);
    std::size_t Size() const { return lines_.size(); }
    PrintedLines Render(std::span<const Variant> values, const StatusTexts& statusTexts) const;
    // Whether any line shows the value at `index`.
    bool Uses(std::size_t index) const;

private:
    struct Line {
        BandLine::Kind kind;
        LineStyle style;
        std::vector<BoundTemplate> texts;
    };
    std::vector<Line> lines_;
};

}  // namespace hostfw
