#include "host/report/xlsx_cell_kind.h"

#include <cctype>
#include <charconv>

#include "host/core/date_time.h"

namespace hostfw {
namespace {

// 01/03/1900: from this day on a spreadsheet's day number is the automation date.
constexpr double kFirstSharedDay = 61.0;

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// "hh:mm:ss" at `at` as a fraction of a day; 0 when the text holds no time there.
double TimeOfDay(const std::string& text, std::size_t at) {
    if (text.size() < at + 8 || text[at + 2] != ':' || text[at + 5] != ':')
        return 0.0;
    int parts[3] = {};
    for (int i = 0; i < 3; ++i) {
        const char* begin = text.data() + at + 3 * i;
        const auto [end, error] = std::from_chars(begin, begin + 2, parts[i]);
        if (error != std::errc() || end != begin + 2)
            return 0.0;
    }
    if (parts[0] > 23 || parts[1] > 59 || parts[2] > 59)
        return 0.0;
    return (parts[0] * 3600 + parts[1] * 60 + parts[2]) / 86400.0;
}

}  // namespace

std::optional<TemplateField> SoleField(const TextTemplate& value) {
    const auto& segments = value.Segments();
    if (segments.size() != 1 || !segments.front().isField)
        return std::nullopt;
    return segments.front().field;
}

bool ShowsOnly(const TextTemplate& value, std::string_view name) {
    const auto field = SoleField(value);
    return field && EqualsIgnoringCase(field->name, name);
}

XlsxCellKind CellKindOf(const TextTemplate& value) {
    const auto field = SoleField(value);
    if (!field)
        return XlsxCellKind::Text;
    switch (field->format) {
        case ValueFormat::Date:
            return XlsxCellKind::Date;
        case ValueFormat::DateTime:
            return XlsxCellKind::DateTime;
        case ValueFormat::Money:
            return XlsxCellKind::Money;
        default:
            return XlsxCellKind::Text;
    }
}

std::optional<double> SpreadsheetDay(const Variant& value, bool withTime) {
    double day = 0.0;
    if (value.kind() == Variant::Kind::Date) {
        day = (withTime ? value.AsDate() : DateOf(value.AsDate())).value;
    } else if (value.kind() == Variant::Kind::String) {
        const std::string& text = value.AsString();
        const auto date = IsoToDate(text);
        if (!date)
            return std::nullopt;
        day = date->value +
              (withTime && text.size() > 10 && text[10] == ' ' ? TimeOfDay(text, 11) : 0.0);
    } else {
        return std::nullopt;
    }
    if (day < kFirstSharedDay)
        return std::nullopt;
    return day;
}

}  // namespace hostfw
