#include "scripts/script_observer.h"

#include "host/data/params.h"
#include "host/net/call_argument_text.h"

namespace host {

void ScriptObserver::WriteNewReportRuns() {
    if (reportParamsWritten_)
        return;
    reportParamsWritten_ = true;
    for (const auto& [name, value] : *lastReportParams_)
        transcript_.Event("param", name + "=" + hostfw::CallArgumentText(value));
}

void ScriptObserver::Notify(const hostfw::Notice& notice) {
    WriteNewReportRuns();
    transcript_.Raw(notice.line);
}

void ScriptObserver::ServerCalled(const hostfw::ServerCallRecord& call) {
    lastServerCall_ = call;
    Notify({"call: " + hostfw::CallText(call.method, call.arguments), ""});
}

// A report may run its query more than once before anything is shown: the transcript holds the
// parameters of the last run, written before whatever the user sees next.
void ScriptObserver::ReportQueryBound(const hostfw::TParams& params) {
    BoundParams bound;
    for (size_t i = 0; i < params.Count(); ++i)
        bound.emplace_back(params[i].Name(), params[i].Value());
    lastReportParams_ = std::move(bound);
    reportParamsWritten_ = false;
}

void ScriptObserver::ReportDelivered() {
    if (deliveryObserver_)
        deliveryObserver_();
}

}  // namespace host
