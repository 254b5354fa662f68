#pragma once

#include <string>
#include <vector>

#include "host/report/report_definition.h"

namespace hostfw {

// A band line with its values filled in, ready for any renderer: Text holds the left, centre
// and right parts; Cells one text per column ("" where nothing is placed); Rule nothing.
struct PrintedLine {
    BandLine::Kind kind = BandLine::Kind::Text;
    LineStyle style = LineStyle::Normal;
    std::vector<std::string> texts;
};
using PrintedLines = std::vector<PrintedLine>;

// One page as the renderers receive it: the body between the header (page header band and
// column headings) and the footer, which sits on the last lines of the page.
struct FramedPage {
    int number = 0;
    int count = 0;
    PrintedLines header;
    PrintedLines body;
    PrintedLines footer;
};

}  // namespace hostfw
