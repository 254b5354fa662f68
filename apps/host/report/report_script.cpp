#include "report/report_script.h"

#include "choices/status_boxes.h"
#include "scripts/script_token.h"

namespace host {
namespace {

void PickList(std::string& script, const std::vector<std::string>& keys, bool saved,
              const char* listRadio, const char* searchButton) {
    script += std::string("click ") + listRadio + (saved ? "\npick available" : "\npick");
    for (const std::string& key : keys)
        script += " " + QuoteScriptText(key);
    script += std::string("\nclick ") + searchButton + "\n";
}

}  // namespace

std::string ReportScript(const ReportChoices& choices, const std::string& branch) {
    return "open null\n" + FillAndRunLines(choices, branch);
}

std::string FillAndRunLines(const ReportChoices& choices, const std::string& branch) {
    return ChoiceLines(choices, branch, 0) +
           (choices.format == ReportFormat::Pdf ? "click sbtPrint\n" : "click sbtPreview\n");
}

std::string ChoiceLines(const ReportChoices& choices, const std::string& branch,
                        std::size_t typedBranch) {
    std::string script;
    if (!branch.empty()) {
        for (std::size_t i = 0; i < typedBranch; ++i)
            script += "key edtCdFilial 8\n";
        script += "type edtCdFilial " + QuoteScriptText(branch) + "\n";
    }
    if (choices.from)
        script += "date depInicial " + QuoteScriptText(*choices.from) + "\n";
    if (choices.to)
        script += "date depFinal " + QuoteScriptText(*choices.to) + "\n";
    if (choices.variant)
        script += "select cbbReportNames " + std::to_string(*choices.variant) + "\n";
    if (choices.statuses) {
        for (const StatusBox& box : kStatusBoxes) {
            const bool wanted = choices.statuses->find(box.letter) != std::string::npos;
            script += std::string("check ") + box.name + (wanted ? " true\n" : " false\n");
        }
    }
    if (choices.clients)
        PickList(script, *choices.clients, choices.savedKeys.clients, "rdbLCli", "btnCli");
    if (choices.destinations) {
        PickList(script, *choices.destinations, choices.savedKeys.destinations, "rdbLFil",
                 "btnFilDest");
    }
    // Last: the invoice search sends every other choice to the server.
    if (choices.invoices)
        PickList(script, *choices.invoices, choices.savedKeys.invoices, "rdbLNota", "btnNota");
    return script;
}

}  // namespace host
