#include "host/report/bound_band.h"

namespace hostfw {

BoundBand::BoundBand(const Band& band, const NameIndex& names) {
    for (const BandLine& line : band) {
        Line bound{line.kind, line.style, {}};
        if (line.kind == BandLine::Kind::Text) {
            for (const TextTemplate* part : {&line.left, &line.center, &line.right}) {
                bound.texts.emplace_back(*part, names);
            }
        }
        for (const TextTemplate& cell : line.cells)
            bound.texts.emplace_back(cell, names);
        lines_.push_back(std::move(bound));
    }
}

PrintedLines BoundBand::Render(std::span<const Variant> values,
                               const StatusTexts& statusTexts) const {
    PrintedLines printed;
    printed.reserve(lines_.size());
    for (const Line& line : lines_) {
        PrintedLine out{line.kind, line.style, {}};
        out.texts.reserve(line.texts.size());
        for (const BoundTemplate& text : line.texts) {
            out.texts.push_back(text.Render(values, statusTexts));
        }
        printed.push_back(std::move(out));
    }
    return printed;
}

bool BoundBand::Uses(std::size_t index) const {
    for (const Line& line : lines_) {
        for (const BoundTemplate& text : line.texts) {
            if (text.Uses(index))
                return true;
        }
    }
    return false;
}

}  // namespace hostfw
