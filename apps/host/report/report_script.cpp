#include "report/report_script.h"

#include "choices/status_boxes.h"
#include "scripts/script_token.h"

namespace host {
namespace {

// One group of the form: "Todos", or "Lista" with the keys picked through its search.
struct ListGroup {
    const char* allRadio;
    const char* listRadio;
    const char* searchButton;
};

void PickList(std::string& script, const std::optional<std::vector<std::string>>& keys, bool saved,
              const ListGroup& group) {
    if (!keys) {
        script += std::string("click ") + group.allRadio + "\n";
        return;
    }
    script += std::string("click ") + group.listRadio + (saved ? "\npick available" : "\npick");
    for (const std::string& key : *keys)
        script += " " + QuoteScriptText(key);
    script += std::string("\nclick ") + group.searchButton + "\n";
}

}  // namespace

std::string ReportScript(const ReportChoices& choices, const std::optional<std::string>& branch) {
    return "open null\n" + FillAndRunLines(choices, branch);
}

std::string FillAndRunLines(const ReportChoices& choices,
                            const std::optional<std::string>& branch) {
    return ChoiceLines(choices, branch, 0) +
           (choices.format == ReportFormat::Pdf ? "click sbtPrint\n" : "click sbtPreview\n");
}

std::string ChoiceLines(const ReportChoices& choices, const std::optional<std::string>& branch,
                        std::size_t typedBranch) {
    std::string script;
    if (branch) {
        for (std::size_t i = 0; i < typedBranch; ++i)
            script += "key edtCdFilial 8\n";
        if (!branch->empty())
            script += "type edtCdFilial " + QuoteScriptText(*branch) + "\n";
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
    PickList(script, choices.clients, choices.savedKeys.clients, {"rdbTCli", "rdbLCli", "btnCli"});
    PickList(script, choices.destinations, choices.savedKeys.destinations,
             {"rdbTFil", "rdbLFil", "btnFilDest"});
    // Last: the invoice search sends every other choice to the server.
    PickList(script, choices.invoices, choices.savedKeys.invoices,
             {"rdbTNota", "rdbLNota", "btnNota"});
    return script;
}

}  // namespace host
