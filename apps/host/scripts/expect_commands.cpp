#include <strings.h>

#include <algorithm>

#include "host/base_form/choice_capture.h"
#include "host/core/date_time.h"
#include "host/data/client_dataset.h"
#include "host/net/call_argument_text.h"
#include "host/ui/application.h"
#include "host/ui/std_controls.h"
#include "module/form_lookup.h"
#include "scripts/script_commands.h"
#include "scripts/script_error.h"
#include "scripts/script_screen.h"
#include "scripts/script_value.h"
#include "scripts/scripted_ui.h"

namespace host {
namespace {

void ExpectSame(const std::string& expected, const std::string& actual) {
    if (!SameScriptValue(expected, actual))
        throw ExpectationFailed(expected, actual);
}

std::string BoolText(bool value) {
    return value ? "true" : "false";
}

std::string BoolWord(ArgumentReader& arguments) {
    return BoolText(arguments.Boolean());
}

std::string Count(ArgumentReader& arguments, int min) {
    return std::to_string(arguments.Integer(min, 1'000'000));
}

void Message(ScriptContext& context, ArgumentReader& arguments) {
    const std::string expected = QuoteScriptText(arguments.Text());
    arguments.End();
    std::deque<ShownMessage>& messages = context.ui.Messages();
    if (messages.empty())
        throw ExpectationFailed(expected, "nenhuma mensagem");
    const ShownMessage shown = messages.front();
    messages.pop_front();
    ExpectSame(expected, QuoteScriptText(shown.text));
}

void NoMessage(ScriptContext& context, ArgumentReader& arguments) {
    arguments.End();
    const std::deque<ShownMessage>& messages = context.ui.Messages();
    if (messages.empty())
        return;
    std::string shown = QuoteScriptText(messages.front().text);
    if (messages.size() > 1)
        shown += " e mais " + std::to_string(messages.size() - 1);
    throw ExpectationFailed("nenhuma mensagem", shown);
}

void Focus(ScriptContext& context, ArgumentReader& arguments) {
    const std::string expected = arguments.Word();
    arguments.End();
    const hostfw::TWinControl* focused = LiveForm(context.Application()).ActiveControl();
    const std::string actual = focused != nullptr ? focused->Name() : "nenhum";
    if (strcasecmp(expected.c_str(), actual.c_str()) != 0)
        throw ExpectationFailed(expected, actual);
    context.screen.Check(ScriptScreen::Shown::Focus, focused, actual);
    context.screen.Expected(focused);
}

void Text(ScriptContext& context, ArgumentReader& arguments) {
    const std::string name = arguments.Word();
    const Token value = arguments.Any();
    arguments.End();
    std::string expected;
    if (value.kind == Token::Kind::Text) {
        expected = QuoteScriptText(value.value);
    } else if (value.value == "today") {
        expected = QuoteScriptText(hostfw::DateToStr(hostfw::Now()));
    } else {
        arguments.Misused();
    }
    const auto& control =
        FindScriptControl<hostfw::TControl>(context.Application(), name, "um controle");
    ExpectSame(expected, QuoteScriptText(control.Text()));
    context.screen.Check(ScriptScreen::Shown::Text, &control, control.Text());
    context.screen.Expected(&control);
}

void Caption(ScriptContext& context, ArgumentReader& arguments) {
    const std::string name = arguments.Word();
    const std::string expected = QuoteScriptText(arguments.Text());
    arguments.End();
    const auto& control =
        FindScriptControl<hostfw::TControl>(context.Application(), name, "um controle");
    ExpectSame(expected, QuoteScriptText(control.Caption()));
    context.screen.Check(ScriptScreen::Shown::Caption, &control, control.Caption());
    context.screen.Expected(&control);
}

void Enabled(ScriptContext& context, ArgumentReader& arguments) {
    const std::string name = arguments.Word();
    const std::string expected = BoolWord(arguments);
    arguments.End();
    const auto& control =
        FindScriptControl<hostfw::TControl>(context.Application(), name, "um controle");
    ExpectSame(expected, BoolText(control.Enabled()));
    context.screen.Check(ScriptScreen::Shown::Enabled, &control, BoolText(control.Enabled()));
    context.screen.Expected(&control);
}

void Checked(ScriptContext& context, ArgumentReader& arguments) {
    const std::string name = arguments.Word();
    const std::string expected = BoolWord(arguments);
    arguments.End();
    const auto& box = FindScriptControl<hostfw::TButtonControl>(context.Application(), name,
                                                                "uma caixa de marcação");
    ExpectSame(expected, BoolText(box.Checked()));
    context.screen.Check(ScriptScreen::Shown::Checked, &box, BoolText(box.Checked()));
    context.screen.Expected(&box);
}

void Index(ScriptContext& context, ArgumentReader& arguments) {
    const std::string name = arguments.Word();
    const std::string expected = Count(arguments, -1);
    arguments.End();
    const auto& combo = FindScriptControl<hostfw::TComboBox>(context.Application(), name,
                                                             "uma caixa de combinação");
    ExpectSame(expected, std::to_string(combo.ItemIndex()));
}

void Cursor(ScriptContext& context, ArgumentReader& arguments) {
    const std::string expected = std::to_string(arguments.Integer(-32768, 32767));
    arguments.End();
    ExpectSame(expected, std::to_string(context.module.Context().Screen().Cursor()));
}

void Var(ScriptContext& context, ArgumentReader& arguments) {
    const std::string name = arguments.Word();
    const std::string expected = ExpectedValueText(arguments.Rest());
    ExpectSame(expected, context.module.ReadVariable(name));
}

void Param(ScriptContext& context, ArgumentReader& arguments) {
    const std::string name = arguments.Word();
    const std::vector<Token> rest = arguments.Rest();
    const bool absent = rest.size() == 1 && rest.front().kind == Token::Kind::Word &&
                        rest.front().value == "absent";
    const std::string expected = absent ? "absent" : ExpectedValueText(rest);
    const auto& bound = context.ui.Observer().LastReportParams();
    if (!bound)
        throw ExpectationFailed(expected, "nenhum relatório executado");
    // Parameter names compare without regard to case, as the query binds them.
    const auto found = std::find_if(bound->begin(), bound->end(), [&](const auto& param) {
        return strcasecmp(param.first.c_str(), name.c_str()) == 0;
    });
    ExpectSame(expected,
               found != bound->end() ? hostfw::CallArgumentText(found->second) : "absent");
}

void Arg(ScriptContext& context, ArgumentReader& arguments) {
    const int position = arguments.Integer(1, 99);
    const std::string expected = ExpectedValueText(arguments.Rest());
    const std::optional<hostfw::ServerCallRecord>& call = context.ui.Observer().LastServerCall();
    if (!call)
        throw ExpectationFailed(expected, "nenhuma chamada ao servidor");
    if (static_cast<size_t>(position) > call->arguments.size()) {
        throw ExpectationFailed(
            expected,
            call->method + " com " + std::to_string(call->arguments.size()) + " argumentos");
    }
    ExpectSame(expected, call->arguments[static_cast<size_t>(position) - 1]);
}

// The rows a server's reply put in the live form: its first client dataset.
const hostfw::TClientDataSet& ReplyRows(const hostfw::TApplication& application) {
    const hostfw::TClientDataSet* found = nullptr;
    hostfw::TCustomForm& form = LiveForm(application);
    hostfw::ForEachOwnedComponent(form, [&](hostfw::TComponent& component) {
        if (found == nullptr)
            found = dynamic_cast<const hostfw::TClientDataSet*>(&component);
    });
    if (found == nullptr)
        throw ScriptError("o formulário '" + form.Name() + "' não tem linhas de resposta.");
    return *found;
}

void Rows(ScriptContext& context, ArgumentReader& arguments) {
    const std::string expected = Count(arguments, 0);
    arguments.End();
    ExpectSame(expected, std::to_string(ReplyRows(context.Application()).RecordCount()));
}

std::string FormStyleWord(hostfw::TFormStyle style) {
    switch (style) {
        case hostfw::TFormStyle::fsNormal:
            return "normal";
        case hostfw::TFormStyle::fsMDIChild:
            return "child";
        case hostfw::TFormStyle::fsMDIForm:
            return "mdi-form";
        case hostfw::TFormStyle::fsStayOnTop:
            return "stay-on-top";
    }
    return "?";
}

std::string BorderWord(hostfw::TBorderStyle style) {
    switch (style) {
        case hostfw::TBorderStyle::bsNone:
            return "none";
        case hostfw::TBorderStyle::bsSingle:
            return "single";
        case hostfw::TBorderStyle::bsSizeable:
            return "sizeable";
        case hostfw::TBorderStyle::bsDialog:
            return "dialog";
        case hostfw::TBorderStyle::bsToolWindow:
            return "toolwindow";
        case hostfw::TBorderStyle::bsSizeToolWin:
            return "sizetoolwin";
    }
    return "?";
}

void FormStyle(ScriptContext& context, ArgumentReader& arguments) {
    const std::string expected = arguments.OneOf({"child", "normal"});
    arguments.End();
    ExpectSame(expected, FormStyleWord(LiveForm(context.Application()).FormStyle()));
}

void Border(ScriptContext& context, ArgumentReader& arguments) {
    const std::string expected = arguments.OneOf({"sizeable", "single", "dialog"});
    arguments.End();
    ExpectSame(expected, BorderWord(LiveForm(context.Application()).BorderStyle()));
}

void Maximize(ScriptContext& context, ArgumentReader& arguments) {
    const std::string expected = BoolWord(arguments);
    arguments.End();
    ExpectSame(expected, BoolText(LiveForm(context.Application()).BorderIcons().biMaximize));
}

// Whether the last preview shows TEXT somewhere: "preview" wants it, "preview-lacks" not.
void PreviewShows(ScriptContext& context, ArgumentReader& arguments, bool wanted) {
    const std::string expected = arguments.Text();
    arguments.End();
    if (context.ui.PreviewCount() == 0)
        throw ExpectationFailed(QuoteScriptText(expected), "nenhuma pré-visualização");
    const bool shown = context.ui.LastPreview().find(expected) != std::string::npos;
    if (shown != wanted) {
        throw ExpectationFailed(
            (wanted ? "" : "sem ") + QuoteScriptText(expected),
            wanted ? "ausente na pré-visualização" : "presente na pré-visualização");
    }
}

void Preview(ScriptContext& context, ArgumentReader& arguments) {
    PreviewShows(context, arguments, true);
}

void PreviewLacks(ScriptContext& context, ArgumentReader& arguments) {
    PreviewShows(context, arguments, false);
}

void Forms(ScriptContext& context, ArgumentReader& arguments) {
    const std::string expected = Count(arguments, 0);
    arguments.End();
    ExpectSame(expected, std::to_string(context.Application().FormCount()));
}

constexpr ScriptCommand kExpectations[] = {
    {"message", "expect message \"TEXTO\"", Message},
    {"no-message", "expect no-message", NoMessage},
    {"focus", "expect focus NOME", Focus},
    {"text", "expect text NOME \"TEXTO\"|today", Text},
    {"caption", "expect caption NOME \"TEXTO\"", Caption},
    {"enabled", "expect enabled NOME true|false", Enabled},
    {"checked", "expect checked NOME true|false", Checked},
    {"index", "expect index NOME N", Index},
    {"cursor", "expect cursor N", Cursor},
    {"var", "expect var NOME \"VALOR\"|true|false", Var},
    {"param", "expect param P_NOME \"VALOR\"|date(AAAA-MM-DD)|null|absent", Param},
    {"arg", "expect arg N VALOR", Arg},
    {"rows", "expect rows N", Rows},
    {"form-style", "expect form-style child|normal", FormStyle},
    {"border", "expect border sizeable|single|dialog", Border},
    {"maximize", "expect maximize true|false", Maximize},
    {"forms", "expect forms N", Forms},
    {"preview", "expect preview \"TEXTO\"", Preview},
    {"preview-lacks", "expect preview-lacks \"TEXTO\"", PreviewLacks},
    {"preset", "expect preset \"NOME\" [shared|private]", ExpectPreset},
    {"presets", "expect presets \"NOME\" ...|none", ExpectPresets},
};

}  // namespace

std::span<const ScriptCommand> Expectations() {
    return kExpectations;
}

}  // namespace host
