#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/base_form/form_choice.h"

namespace host {

// A choice as kept before choices were typed: JSON of these fields, no version. Rows of this
// kind are still read, converted to a typed choice on the way in; nothing writes them now.
struct SavedChoice {
    // Absent: left as the form opens; "": left blank.
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

// The untyped text read back. A text that is not a sound choice raises an Exception naming it.
SavedChoice ParseChoiceText(const std::string& text, const std::string& name);

// A kept choice of either kind as a typed one: the typed text as it is, an untyped one through
// the options the form publishes (its keys marked as saved: one gone since is left out with a
// notice, and its date rule kept as a rule).
hostfw::FormChoice ReadStoredChoice(const std::string& text, const std::string& name);

}  // namespace host
