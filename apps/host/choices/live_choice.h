#pragma once

#include <optional>
#include <string>

#include "host/base_form/form_choice.h"
#include "host/ui/application.h"

namespace host {

// What the live report form of the application shows now, as a typed choice; with `period` its
// dates are kept as that date rule, counted at each use. Nothing is changed.
hostfw::FormChoice CaptureLiveChoice(const hostfw::TApplication& application,
                                     const std::optional<std::string>& period);

// The report code of the live form: which report a choice is for.
std::string LiveReportCode(const hostfw::TApplication& application);

}  // namespace host
