#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "hostfw_export.h"

namespace hostfw {

// How a value is shown inside a template.
enum class ValueFormat {
    Plain,      // as the value reads as text
    Date,       // dd/mm/yyyy
    DateTime,   // dd/mm/yyyy hh:mm:ss
    Money,      // 1.234,56
    Document,   // CPF/CNPJ mask; the argument names the kind ("F"/"J")
    Status,     // one status letter as its text
    Statuses,   // a string of status letters as their texts, comma-separated
    Selection,  // a selection list as "Todos" or how many were picked; the argument names the flag
};

struct TemplateField {
    std::string name;
    ValueFormat format = ValueFormat::Plain;
    std::string argument;  // a second name, for the formats that need one
};

struct TemplateSegment {
    bool isField = false;
    std::string literal;
    TemplateField field;
};

// A line of report text with named values: "Filial: {P_CDFILIAL} - {NMFILIAL}",
// "{VRTOTALNF:money}", "{NRINSJURCLIE:document(IDTPIJURCLIE)}". "{{" and "}}" stand for
// braces. Parsed once when the definition loads.
class HOSTFW_EXPORT TextTemplate {
public:
    TextTemplate() = default;
    // Raises an Exception that says what is wrong with the text.
    static TextTemplate Parse(std::string_view text);

    const std::string& Source() const { return source_; }
    const std::vector<TemplateSegment>& Segments() const { return segments_; }
    bool IsEmpty() const { return segments_.empty(); }

private:
    std::string source_;
    std::vector<TemplateSegment> segments_;
};

}  // namespace hostfw
