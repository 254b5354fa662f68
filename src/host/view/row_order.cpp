#include "host/view/row_order.h"

#include <algorithm>
#include <numeric>
#include <string>

#include "host/view/search_text.h"

namespace hostfw::view {
namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// dd/mm/yyyy, then an optional " hh:mm" or " hh:mm:ss", as yyyymmddhhmmss.
std::optional<double> DateValue(std::string_view cell) {
    const auto digits = [&](std::size_t at, std::size_t count) -> std::optional<int> {
        if (at + count > cell.size())
            return std::nullopt;
        int value = 0;
        for (std::size_t i = at; i < at + count; ++i) {
            if (!IsDigit(cell[i]))
                return std::nullopt;
            value = value * 10 + (cell[i] - '0');
        }
        return value;
    };
    if (cell.size() < 10 || cell[2] != '/' || cell[5] != '/')
        return std::nullopt;
    const auto day = digits(0, 2);
    const auto month = digits(3, 2);
    const auto year = digits(6, 4);
    if (!day || !month || !year || *month < 1 || *month > 12 || *day < 1 || *day > 31)
        return std::nullopt;
    double value = (*year * 10000.0 + *month * 100 + *day) * 1e6;
    std::string_view time = cell.substr(10);
    if (time.empty())
        return value;
    if (time.size() < 6 || time[0] != ' ' || time[3] != ':')
        return std::nullopt;
    const auto hour = digits(11, 2);
    const auto minute = digits(14, 2);
    const auto second = time.size() >= 9 && time[6] == ':' ? digits(17, 2) : std::optional<int>(0);
    if (!hour || !minute || !second || (time.size() != 6 && time.size() != 9))
        return std::nullopt;
    return value + *hour * 10000.0 + *minute * 100 + *second;
}

// "1000", "-3", "1.234,56", "12,5": digits with a leading minus, "." between thousands and
// "," before the decimals.
std::optional<double> NumberValue(std::string_view cell) {
    std::size_t at = 0;
    const bool negative = !cell.empty() && cell[0] == '-';
    if (negative)
        at = 1;
    if (at >= cell.size() || !IsDigit(cell[at]))
        return std::nullopt;
    double value = 0;
    double scale = 0;  // past the decimal comma: the place of the next digit
    for (; at < cell.size(); ++at) {
        const char c = cell[at];
        if (IsDigit(c)) {
            if (scale > 0) {
                value += (c - '0') * scale;
                scale /= 10;
            } else {
                value = value * 10 + (c - '0');
            }
        } else if (c == '.' && scale == 0) {
            // A thousands point: three digits follow, then the end, a point or the comma.
            const bool thousands =
                at + 3 < cell.size() && IsDigit(cell[at + 1]) && IsDigit(cell[at + 2]) &&
                IsDigit(cell[at + 3]) &&
                (at + 4 == cell.size() || cell[at + 4] == '.' || cell[at + 4] == ',');
            if (!thousands)
                return std::nullopt;
        } else if (c == ',' && scale == 0) {
            scale = 0.1;
        } else {
            return std::nullopt;
        }
    }
    return negative ? -value : value;
}

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::optional<double> SortValue(std::string_view cell) {
    const std::string_view text = Trimmed(cell);
    if (auto date = DateValue(text))
        return date;
    return NumberValue(text);
}

std::vector<std::uint32_t> SortedRows(const RowSource& rows, std::size_t column, bool descending) {
    const std::size_t count = rows.RowCount();
    std::vector<std::uint32_t> order(count);
    std::iota(order.begin(), order.end(), 0u);
    // One pass over the column: each cell's value while every cell has one, and its folded
    // text in one block, for the case one does not.
    std::vector<double> values;
    values.reserve(count);
    bool byValue = true;
    std::string texts;
    std::vector<std::uint32_t> ends;
    ends.reserve(count);
    std::string cell;
    for (std::size_t row = 0; row < count; ++row) {
        cell = rows.Cell(row, column);
        if (byValue) {
            const auto value = SortValue(cell);
            if (value)
                values.push_back(*value);
            else if (Trimmed(cell).empty())
                values.push_back(-1e300);  // blanks first, as the smallest
            else
                byValue = false;
        }
        FoldForSearch(cell);
        texts += cell;
        ends.push_back(static_cast<std::uint32_t>(texts.size()));
    }
    const auto textOf = [&](std::uint32_t row) {
        const std::uint32_t begin = row == 0 ? 0 : ends[row - 1];
        return std::string_view(texts).substr(begin, ends[row] - begin);
    };
    if (byValue) {
        std::string().swap(texts);
        std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            return descending ? values[a] > values[b] : values[a] < values[b];
        });
    } else {
        std::vector<double>().swap(values);
        std::stable_sort(order.begin(), order.end(), [&](std::uint32_t a, std::uint32_t b) {
            return descending ? textOf(a) > textOf(b) : textOf(a) < textOf(b);
        });
    }
    return order;
}

}  // namespace hostfw::view
