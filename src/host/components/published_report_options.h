#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hostfw_export.h"

namespace hostfw {

// How one option of the report command reaches a form, as the form's unit publishes it: the
// controls the option sets and how a person sets them. Whoever turns a command line into a
// choice finds the option here by its word, without naming a control itself.
struct ReportOption {
    enum class Kind {
        Text,     // typed into `control` (an edit or a date edit)
        Index,    // the item of the combo box `control`
        Letters,  // each letter given checks its box in `letters`, the others are unchecked
        List,     // keys picked through `opener`'s dialog with the radio `control` ("Lista");
                  // no keys: the radio `allControl` ("Todos")
    };
    std::string option;  // the option's word: "branch", "from", "to", "variant", "clients", ...
    Kind kind = Kind::Text;
    std::string control;
    std::string allControl;
    std::string opener;
    std::vector<std::pair<char, std::string>> letters;
};

// Publishes (or publishes again, replacing) the report options of `unit`.
HOSTFW_EXPORT void PublishReportOptions(const std::string& unit, std::vector<ReportOption> options);
HOSTFW_EXPORT void WithdrawReportOptions(const std::string& unit);
// The option of that word in the first unit that publishes it; nullptr when none does.
HOSTFW_EXPORT const ReportOption* FindReportOption(std::string_view option);

}  // namespace hostfw
