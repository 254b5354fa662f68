#include "choice_replay.h"
#include "choice_store.h"
#include "form_choices.h"
#include "host/core/date_rules.h"
#include "script_commands.h"
#include "script_error.h"

namespace host {
namespace {

// preset save "NAME" [shared] [period "RULE"]
void save(ScriptContext& context, ArgumentReader& arguments) {
    const std::string name = arguments.Text();
    bool shared = false;
    std::optional<std::string> period;
    while (!arguments.AtEnd()) {
        if (arguments.OneOf({"shared", "period"}) == "shared") {
            shared = true;
            continue;
        }
        period = arguments.Text();
        if (!hostfw::DateRuleRange(*period, hostfw::Now())) {
            std::string rules;
            for (std::string_view rule : hostfw::DateRuleNames())
                rules += (rules.empty() ? "" : ", ") + std::string(rule);
            throw ScriptError("período desconhecido \"" + *period + "\"; os períodos são " + rules +
                              ".");
        }
    }
    SavePreset(LiveReportCode(), name, shared, CaptureChoices(context.module, period));
}

// preset apply "NAME" | preset apply last: the saved actions, replayed line by line through
// the same commands a script uses, so the form checks and refuses as if they were typed.
void apply(ScriptContext& context, ArgumentReader& arguments) {
    const Token which = arguments.Any();
    arguments.End();
    const bool last = which.kind == Token::Kind::Word && which.value == "last";
    if (which.kind == Token::Kind::Word && !last)
        arguments.Misused();
    const std::string report = LiveReportCode();
    ReplaySavedChoice(context, last ? LoadLastQuery(report) : LoadPreset(report, which.value));
}

}  // namespace

void RunPresetLine(ScriptContext& context, ArgumentReader& arguments) {
    if (arguments.OneOf({"save", "apply"}) == "save")
        save(context, arguments);
    else
        apply(context, arguments);
}

void ExpectPreset(ScriptContext& /*context*/, ArgumentReader& arguments) {
    const std::string name = arguments.Text();
    arguments.End();
    if (!PresetExists(LiveReportCode(), name))
        throw ExpectationFailed("a consulta salva \"" + name + "\"", "nenhuma com esse nome");
}

}  // namespace host
