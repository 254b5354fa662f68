#pragma once

#include <optional>
#include <string>

#include "command_line/host_options.h"
#include "host/base_form/form_choice.h"

namespace host {

// The report command's options as a choice, through the options the form's unit publishes: the
// host names no control of its own. `branch` (absent: left as the form opens) is typed into the
// branch field; a list group the options do not name goes back to "Todos". Keys of a list are
// refused when missing, unless the options mark them as saved.
hostfw::FormChoice ChoiceOfOptions(const ReportChoices& options,
                                   const std::optional<std::string>& branch);

// `base` with what the options name put in its place (the command line over a saved choice):
// every control and list of an option given is replaced, the rest of `base` stays.
hostfw::FormChoice Overridden(hostfw::FormChoice base, const ReportChoices& options,
                              const std::optional<std::string>& branch);

// The dates of `choice` counted at each use from the date rule `period` ("Mês anterior").
void SetDateRule(hostfw::FormChoice& choice, const std::string& period);

// The text `choice` gives the control of a text option ("from", "to"); nullopt when none.
std::optional<std::string> OptionText(const hostfw::FormChoice& choice, const std::string& option);

}  // namespace host
