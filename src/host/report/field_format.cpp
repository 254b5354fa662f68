#include "host/report/field_format.h"

#include <algorithm>

#include "host/core/date_time.h"
#include "host/report/amount.h"
#include "host/services/text_rules.h"

namespace hostfw {
namespace {

// Dates arrive as Date variants (parameters) or as "yyyy-mm-dd[ hh:mm:ss]" text (columns).
std::string FormatDate(const Variant& value, bool withTime) {
    if (value.kind() == Variant::Kind::Date) {
        return withTime ? DateTimeToStr(value.AsDate()) : DateToStr(value.AsDate());
    }
    const std::string text = value.AsString();
    const auto date = IsoToCivil(text);
    if (!date)
        return text;
    const bool hasTime = text.size() >= 19 && text[10] == ' ';
    return CivilDateToStr(*date) + (withTime && hasTime ? text.substr(10, 9) : "");
}

std::string StatusText(const std::string& letter, const StatusTexts& statusTexts) {
    const auto found = statusTexts.find(letter);
    return found == statusTexts.end() ? letter : found->second;
}

std::string StatusList(const std::string& letters, const StatusTexts& statusTexts) {
    if (letters.empty())
        return "Nenhum";
    std::string out;
    for (char letter : letters) {
        if (!out.empty())
            out += ", ";
        out += StatusText(std::string(1, letter), statusTexts);
    }
    return out;
}

// A selection list ",0001,0007," under its all-rows flag: "Todos" or how many were picked.
std::string SelectionSummary(const std::string& list, const std::string& flag) {
    if (flag == "T")
        return "Todos";
    std::size_t picked = 0;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        if (comma > start)
            ++picked;
        start = comma + 1;
    }
    // Worded so it agrees with every group it describes: clients, branches and invoices.
    if (picked == 0)
        return "Lista vazia";
    return "Lista de " + std::to_string(picked);
}

}  // namespace

std::string FormatValue(ValueFormat format, const Variant& value, const Variant& argument,
                        const StatusTexts& statusTexts) {
    switch (format) {
        case ValueFormat::Plain:
            return value.AsString();
        case ValueFormat::Date:
            return FormatDate(value, false);
        case ValueFormat::DateTime:
            return FormatDate(value, true);
        case ValueFormat::Money:
            return value.IsEmptyOrNull() ? std::string() : FormatCents(AmountInCents(value));
        case ValueFormat::Document:
            return FormatMaskText(PictPess(argument.AsString()), value.AsString());
        case ValueFormat::Status:
            return StatusText(value.AsString(), statusTexts);
        case ValueFormat::Statuses:
            return StatusList(value.AsString(), statusTexts);
        case ValueFormat::Selection:
            return SelectionSummary(value.AsString(), argument.AsString());
    }
    return value.AsString();
}

}  // namespace hostfw
