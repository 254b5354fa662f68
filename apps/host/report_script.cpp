#include "report_script.h"

#include "script_token.h"

namespace host {
namespace {

struct StatusBox {
    char letter;
    const char* name;
};

constexpr StatusBox kStatusBoxes[] = {
    {'P', "ckbPend"}, {'E', "ckbEmitida"}, {'A', "ckbAprovada"}, {'C', "ckbCancel"}};

void PickList(std::string& script, const std::vector<std::string>& keys, const char* listRadio,
              const char* searchButton) {
    script += std::string("click ") + listRadio + "\npick";
    for (const std::string& key : keys)
        script += " " + QuoteScriptText(key);
    script += std::string("\nclick ") + searchButton + "\n";
}

}  // namespace

std::string ReportScript(const ReportChoices& choices, const std::string& branch) {
    std::string script = "open null\n";
    if (!branch.empty())
        script += "type edtCdFilial " + QuoteScriptText(branch) + "\n";
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
        PickList(script, *choices.clients, "rdbLCli", "btnCli");
    if (choices.destinations)
        PickList(script, *choices.destinations, "rdbLFil", "btnFilDest");
    // Last: the invoice search sends every other choice to the server.
    if (choices.invoices)
        PickList(script, *choices.invoices, "rdbLNota", "btnNota");
    script += choices.format == ReportFormat::Pdf ? "click sbtPrint\n" : "click sbtPreview\n";
    return script;
}

}  // namespace host
