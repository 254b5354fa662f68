#include "choices/live_choice.h"

#include "choices/option_choice.h"
#include "host/base_form/choice_capture.h"
#include "module/form_lookup.h"

namespace host {

hostfw::FormChoice CaptureLiveChoice(const hostfw::TApplication& application,
                                     const std::optional<std::string>& period) {
    hostfw::FormChoice choice = hostfw::CaptureFormChoice(LiveReportForm(application));
    if (period)
        SetDateRule(choice, *period);
    return choice;
}

std::string LiveReportCode(const hostfw::TApplication& application) {
    return LiveReportForm(application).ReportCode();
}

}  // namespace host
