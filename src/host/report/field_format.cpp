#include "host/report/field_format.h"

#include <algorithm>

#include "host/core/date_time.h"
#include "host/report/amount.h"
#include "host/services/text_rules.h"

namespace hostfw {
namespace {

// Dates arrive as Date variants (parameters) or as "yyyy-mm-dd[ hh:mm:ss]" text (columns).
std::string formatDate(const Variant& value, bool withTime) {
    if (value.kind() == Variant::Kind::Date) {
        return withTime ? DateTimeToStr(value.asDate()) : DateToStr(value.asDate());
    }
    const std::string text = value.asString();
    const auto date = IsoToCivil(text);
    if (!date)
        return text;
    const bool hasTime = text.size() >= 19 && text[10] == ' ';
    return CivilDateToStr(*date) + (withTime && hasTime ? text.substr(10, 9) : "");
}

std::string statusText(const std::string& letter, const StatusTexts& statusTexts) {
    const auto found = statusTexts.find(letter);
    return found == statusTexts.end() ? letter : found->second;
}

std::string statusList(const std::string& letters, const StatusTexts& statusTexts) {
    if (letters.empty())
        return "Nenhum";
    std::string out;
    for (char letter : letters) {
        if (!out.empty())
            out += ", ";
        out += statusText(std::string(1, letter), statusTexts);
    }
    return out;
}

// A selection list ",0001,0007," under its all-rows flag: "Todos" or how many were picked.
std::string selectionSummary(const std::string& list, const std::string& flag) {
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
            return value.asString();
        case ValueFormat::Date:
            return formatDate(value, false);
        case ValueFormat::DateTime:
            return formatDate(value, true);
        case ValueFormat::Money:
            return value.isEmptyOrNull() ? std::string() : FormatCents(AmountInCents(value));
        case ValueFormat::Document:
            return FormatMaskText(PictPess(argument.asString()), value.asString());
        case ValueFormat::Status:
            return statusText(value.asString(), statusTexts);
        case ValueFormat::Statuses:
            return statusList(value.asString(), statusTexts);
        case ValueFormat::Selection:
            return selectionSummary(value.asString(), argument.asString());
    }
    return value.asString();
}

}  // namespace hostfw
