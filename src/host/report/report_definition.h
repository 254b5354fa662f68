#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "host/data/engine.h"
#include "host/report/field_format.h"
#include "host/report/text_align.h"
#include "host/report/text_template.h"
#include "hostfw_export.h"

namespace hostfw {

// One statement in the dialect of each engine (the same text may serve several). Firebird's
// may be missing from a definition written before that engine: empty then.
struct EngineSql {
    std::string sqlite;
    std::string postgresql;
    std::string firebird;
    const std::string& For(EngineKind kind) const {
        switch (kind) {
            case EngineKind::PostgreSQL:
                return postgresql;
            case EngineKind::Firebird:
                return firebird;
            case EngineKind::SQLite:
                break;
        }
        return sqlite;
    }
};

// A query run once before the report whose first row supplies named values to the page
// bands (the branch name, for one). It declares the columns it supplies, so the bands can be
// checked when the definition loads.
struct ReportLookup {
    EngineSql sql;
    std::vector<std::string> columns;
};

// A detail column: its heading, its width on the character grid and what it shows.
struct ReportColumn {
    std::string name;
    std::string title;
    std::size_t width = 0;
    TextAlign align = TextAlign::Left;
    TextTemplate value;
};

enum class LineStyle { Normal, Bold };

// One printed line of a band: free text (left, centre and right parts), text placed in the
// detail columns (a cell runs on over the empty cells to its right), or a horizontal rule.
struct BandLine {
    enum class Kind { Text, Cells, Rule };
    Kind kind = Kind::Text;
    LineStyle style = LineStyle::Normal;
    TextTemplate left;
    TextTemplate center;
    TextTemplate right;
    std::vector<TextTemplate> cells;  // one per column, empty where nothing is placed
};
using Band = std::vector<BandLine>;

// Rows that share the value of `field` (the query orders by it) form a group.
struct ReportGroup {
    std::string field;
    Band header;
    Band footer;
};

enum class PageOrientation { Portrait, Landscape };

// A report as loaded from its definition file.
struct ReportDefinition {
    std::filesystem::path file;
    std::string reportCode;
    std::string screenCode;
    int sequence = 0;
    std::string title;
    std::string variant;
    EngineSql sql;
    std::vector<ReportLookup> lookups;
    std::size_t pageWidth = 0;  // characters of the text grid
    std::size_t pageLines = 0;  // lines per page, page header and footer included
    PageOrientation orientation = PageOrientation::Landscape;
    StatusTexts statusTexts;
    std::vector<ReportColumn> columns;
    Band pageHeader;
    std::optional<ReportGroup> group;
    Band summary;
    Band pageFooter;
    std::string amountField;  // summed into {total}; empty for none
    TextTemplate noRows;

    // Lines left on a page for the body once the page header, the column heading (titles and
    // a rule) and the page footer are placed.
    std::size_t BodyLinesPerPage() const {
        return pageLines - pageHeader.size() - 2 - pageFooter.size();
    }
};

}  // namespace hostfw
