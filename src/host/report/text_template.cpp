#include "host/report/text_template.h"

#include <array>
#include <utility>

#include "host/core/exception.h"

namespace hostfw {
namespace {

struct FormatName {
    std::string_view name;
    ValueFormat format;
    bool needsArgument;
};

constexpr std::array<FormatName, 7> kFormats = {{
    {"date", ValueFormat::Date, false},
    {"datetime", ValueFormat::DateTime, false},
    {"money", ValueFormat::Money, false},
    {"document", ValueFormat::Document, true},
    {"status", ValueFormat::Status, false},
    {"statuses", ValueFormat::Statuses, false},
    {"selection", ValueFormat::Selection, true},
}};

bool IsNameChar(char c, bool first) {
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    return letter || (!first && c >= '0' && c <= '9');
}

bool IsName(std::string_view text) {
    if (text.empty())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsNameChar(text[i], i == 0))
            return false;
    }
    return true;
}

[[noreturn]] void Invalid(std::string_view source, const std::string& what) {
    throw Exception("texto \"" + std::string(source) + "\": " + what);
}

// "NAME", "NAME:format" or "NAME:format(ARG)", the text between the braces.
TemplateField ParseField(std::string_view source, std::string_view inside) {
    TemplateField field;
    const std::size_t colon = inside.find(':');
    field.name = std::string(inside.substr(0, colon));
    if (!IsName(field.name))
        Invalid(source, "nome de campo inválido {" + std::string(inside) + "}");
    if (colon == std::string_view::npos)
        return field;

    std::string_view format = inside.substr(colon + 1);
    std::string_view argument;
    const std::size_t open = format.find('(');
    if (open != std::string_view::npos) {
        if (format.back() != ')')
            Invalid(source, "falta ')' em {" + std::string(inside) + "}");
        argument = format.substr(open + 1, format.size() - open - 2);
        format = format.substr(0, open);
    }
    for (const FormatName& known : kFormats) {
        if (known.name != format)
            continue;
        if (known.needsArgument && !IsName(argument)) {
            Invalid(source, "o formato '" + std::string(format) +
                                "' pede o nome de um campo entre parênteses");
        }
        if (!known.needsArgument && open != std::string_view::npos) {
            Invalid(source, "o formato '" + std::string(format) + "' não aceita argumento");
        }
        field.format = known.format;
        field.argument = std::string(argument);
        return field;
    }
    Invalid(source, "formato desconhecido '" + std::string(format) +
                        "' (use date, datetime, money, document, status, statuses ou selection)");
}

}  // namespace

TextTemplate TextTemplate::Parse(std::string_view text) {
    TextTemplate parsed;
    parsed.source_ = std::string(text);
    std::string literal;
    auto flushLiteral = [&] {
        if (literal.empty())
            return;
        parsed.segments_.push_back({false, std::exchange(literal, {}), {}});
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool doubled = i + 1 < text.size() && text[i + 1] == c;
        if ((c == '{' || c == '}') && doubled) {
            literal += c;
            ++i;
        } else if (c == '}') {
            Invalid(text, "'}' sem '{' correspondente (escreva '}}' para uma chave)");
        } else if (c == '{') {
            const std::size_t close = text.find('}', i);
            if (close == std::string_view::npos)
                Invalid(text, "'{' sem '}' de fechamento");
            flushLiteral();
            parsed.segments_.push_back(
                {true, {}, ParseField(text, text.substr(i + 1, close - i - 1))});
            i = close;
        } else {
            literal += c;
        }
    }
    flushLiteral();
    return parsed;
}

}  // namespace hostfw
