#pragma once

#include <optional>
#include <string>
#include <vector>

#include "command_line/host_options.h"
#include "host/core/date_time.h"

namespace host {

// What a person did in the report form, kept so it can be done again through the same user
// actions: nothing here is ever written into the form except by typing, clicking and picking.
struct SavedChoice {
    // Absent: left as the form opens (rows saved before blanks were kept); "": left blank.
    std::optional<std::string> branch;  // typed into the branch field; only a free session
    std::optional<int> variant;         // the report chooser's item
    std::optional<std::string> from;    // fixed days, dd/mm/yyyy as typed
    std::optional<std::string> to;
    std::optional<std::string> period;    // or a date rule ("Mês anterior"), counted at each use
    std::optional<std::string> statuses;  // letters of the checked status boxes
    // "Lista" and the picked keys; absent: "Todos".
    std::optional<std::vector<std::string>> clients;
    std::optional<std::vector<std::string>> destinations;
    std::optional<std::vector<std::string>> invoices;
};

// The choice as the text kept in the database (JSON), and back. A text that is not a sound
// choice raises an Exception naming it.
std::string ChoiceText(const SavedChoice& choice);
SavedChoice ParseChoiceText(const std::string& text, const std::string& name);

// The report command's choices for the saved choice, a rule's days counted from `today`; keys
// picked then are marked as saved, so one gone since is left out with a notice.
ReportChoices ReportChoicesOf(const SavedChoice& choice, hostfw::TDateTime today);

// `base` with every choice `over` makes put in its place (the command line over a saved choice).
ReportChoices Overridden(ReportChoices base, const ReportChoices& over);

}  // namespace host
