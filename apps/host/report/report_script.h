#pragma once

#include <optional>
#include <string>

#include "command_line/host_options.h"

namespace host {

// The UI script a person would follow to fill the form with these choices and run the
// report: open the form, type the branch, type the dates, choose the variant, set the status
// boxes, pick the lists, and click preview (print for a PDF). Every value the user gave is
// written as a quoted text, so none can change the script's lines. No branch: the field is left
// as the form opens; "": left blank.
std::string ReportScript(const ReportChoices& choices, const std::optional<std::string>& branch);

// The lines after opening the form: the choices, then the click that runs the report.
std::string FillAndRunLines(const ReportChoices& choices, const std::optional<std::string>& branch);

// The lines between opening the form and running the report. The branch field holds
// `typedBranch` characters now: erased with backspace before the branch is typed. A group
// without a list goes back to "Todos", so the choices replace what the form showed.
std::string ChoiceLines(const ReportChoices& choices, const std::optional<std::string>& branch,
                        std::size_t typedBranch);

}  // namespace host
