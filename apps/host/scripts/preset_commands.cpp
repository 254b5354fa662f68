#include <optional>
#include <string_view>
#include <vector>

#include "choices/choice_on_screen.h"
#include "choices/choice_store.h"
#include "choices/live_choice.h"
#include "host/core/date_rules.h"
#include "scripts/script_commands.h"
#include "scripts/script_error.h"
#include "scripts/script_token.h"

namespace host {
namespace {

// preset save "NAME" [shared] [period "RULE"]
void Save(ScriptContext& context, ArgumentReader& arguments) {
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
    SavePreset(context.module.Context(), LiveReportCode(context.Application()), name, shared,
               CaptureLiveChoice(context.Application(), period));
}

// preset apply "NAME" | preset apply last: the kept choice set through the same actions a
// script's lines take, so the form checks and refuses as if each were done by hand.
void Apply(ScriptContext& context, ArgumentReader& arguments) {
    const Token which = arguments.Any();
    arguments.End();
    const bool last = which.kind == Token::Kind::Word && which.value == "last";
    if (which.kind == Token::Kind::Word && !last)
        arguments.Misused();
    const std::string report = LiveReportCode(context.Application());
    ApplyChoice(context, last ? LoadLastQuery(context.module.Context(), report)
                              : LoadPreset(context.module.Context(), report, which.value));
}

// preset rename "NAME" "NEW"
void Rename(ScriptContext& context, ArgumentReader& arguments) {
    const std::string name = arguments.Text();
    const std::string newName = arguments.Text();
    arguments.End();
    RenamePreset(context.module.Context(), LiveReportCode(context.Application()), name, newName);
}

// preset delete "NAME"
void Delete(ScriptContext& context, ArgumentReader& arguments) {
    const std::string name = arguments.Text();
    arguments.End();
    DeletePreset(context.module.Context(), LiveReportCode(context.Application()), name);
}

// preset share "NAME" | preset private "NAME"; `preset save "NAME" shared` says the same.
template <bool shared>
void Share(ScriptContext& context, ArgumentReader& arguments) {
    const std::string name = arguments.Text();
    arguments.End();
    SharePreset(context.module.Context(), LiveReportCode(context.Application()), name, shared);
}

struct PresetVerb {
    std::string_view word;
    void (*run)(ScriptContext& context, ArgumentReader& arguments);
};

constexpr PresetVerb kPresetVerbs[] = {
    {"save", Save},     {"apply", Apply},       {"rename", Rename},
    {"delete", Delete}, {"share", Share<true>}, {"private", Share<false>},
};

std::string SharingWord(bool shared) {
    return shared ? "shared" : "private";
}

// Names as a script writes them; `none` for no name.
std::string NamesText(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : " ") + QuoteScriptText(name);
    return text.empty() ? "none" : text;
}

}  // namespace

void RunPresetLine(ScriptContext& context, ArgumentReader& arguments) {
    std::vector<std::string_view> words;
    for (const PresetVerb& verb : kPresetVerbs)
        words.push_back(verb.word);
    const std::string word = arguments.OneOf(words);
    for (const PresetVerb& verb : kPresetVerbs) {
        if (verb.word == word)
            verb.run(context, arguments);
    }
}

void ExpectPreset(ScriptContext& context, ArgumentReader& arguments) {
    const std::string name = arguments.Text();
    std::optional<std::string> sharing;
    if (!arguments.AtEnd())
        sharing = arguments.OneOf({"shared", "private"});
    arguments.End();
    const std::string expected = "a consulta salva " + QuoteScriptText(name);
    const auto found =
        FindPreset(context.module.Context(), LiveReportCode(context.Application()), name);
    if (!found)
        throw ExpectationFailed(expected, "nenhuma com esse nome");
    if (sharing && SharingWord(found->shared) != *sharing)
        throw ExpectationFailed(expected + " " + *sharing, SharingWord(found->shared));
}

void ExpectPresets(ScriptContext& context, ArgumentReader& arguments) {
    std::vector<std::string> expected;
    const Token first = arguments.Any();
    if (first.kind == Token::Kind::Word && first.value != "none")
        arguments.Misused();
    if (first.kind == Token::Kind::Text) {
        expected.push_back(first.value);
        while (!arguments.AtEnd())
            expected.push_back(arguments.Text());
    }
    arguments.End();
    std::vector<std::string> available;
    for (const hostfw::StoredChoice& choice :
         AvailablePresets(context.module.Context(), LiveReportCode(context.Application())))
        available.push_back(choice.name);
    if (available != expected)
        throw ExpectationFailed(NamesText(expected), NamesText(available));
}

}  // namespace host
