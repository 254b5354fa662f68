#include "host/base_form/form_choice.h"

#include <algorithm>

#include <nlohmann/json.hpp>

#include "host/core/date_rules.h"
#include "host/core/date_time.h"
#include "host/core/exception.h"

namespace hostfw {
namespace {

using Json = nlohmann::json;

// The version of the stored text; a reader refuses a newer one rather than guess at it.
constexpr int kChoiceVersion = 2;

Json ControlJson(const ControlChoice& control) {
    Json json = {{"control", control.control}};
    switch (control.kind) {
        case ControlChoice::Kind::Text:
            json["text"] = control.text;
            if (control.dateRule) {
                json["rule"] = *control.dateRule;
                json["ruleDay"] = control.ruleLastDay ? "last" : "first";
            }
            break;
        case ControlChoice::Kind::Checked:
            json["checked"] = control.checked;
            break;
        case ControlChoice::Kind::Index:
            json["index"] = control.index;
            break;
    }
    return json;
}

ControlChoice ControlOf(const Json& json) {
    ControlChoice control;
    control.control = json.at("control").get<std::string>();
    if (json.contains("text")) {
        control.kind = ControlChoice::Kind::Text;
        control.text = json.at("text").get<std::string>();
        if (json.contains("rule")) {
            control.dateRule = json.at("rule").get<std::string>();
            control.ruleLastDay = json.at("ruleDay").get<std::string>() == "last";
        }
    } else if (json.contains("checked")) {
        control.kind = ControlChoice::Kind::Checked;
        control.checked = json.at("checked").get<bool>();
    } else {
        control.kind = ControlChoice::Kind::Index;
        control.index = json.at("index").get<int>();
    }
    return control;
}

ControlChoice ChoiceOfKind(const std::string& control, ControlChoice::Kind kind) {
    ControlChoice choice;
    choice.control = control;
    choice.kind = kind;
    return choice;
}

}  // namespace

std::string FormChoiceText(const FormChoice& choice) {
    Json controls = Json::array();
    for (const ControlChoice& control : choice.controls)
        controls.push_back(ControlJson(control));
    Json lists = Json::array();
    for (const ListChoice& list : choice.lists)
        lists.push_back({{"opener", list.opener}, {"keys", list.keys}});
    return Json{{"version", kChoiceVersion}, {"controls", controls}, {"lists", lists}}.dump();
}

std::optional<FormChoice> ParseFormChoiceText(const std::string& text, const std::string& name) {
    const std::string broken = "A consulta salva \"" + name + "\" está danificada.";
    FormChoice choice;
    try {
        const Json json = Json::parse(text);
        if (!json.is_object())
            throw Exception(broken);
        if (!json.contains("version"))
            return std::nullopt;
        if (json.at("version").get<int>() > kChoiceVersion) {
            throw Exception("A consulta salva \"" + name +
                            "\" foi gravada por uma versão mais nova do programa.");
        }
        for (const Json& control : json.at("controls"))
            choice.controls.push_back(ControlOf(control));
        for (const Json& list : json.at("lists")) {
            choice.lists.push_back({list.at("opener").get<std::string>(),
                                    list.at("keys").get<std::vector<std::string>>(), true});
        }
    } catch (const Json::exception&) {
        throw Exception(broken);
    }
    for (const ControlChoice& control : choice.controls) {
        if (control.dateRule && !DateRuleRange(*control.dateRule, Now())) {
            throw Exception("A consulta salva \"" + name +
                            "\" tem um período desconhecido: " + *control.dateRule + ".");
        }
    }
    return choice;
}

ControlChoice TextChoice(const std::string& control, const std::string& text) {
    ControlChoice choice = ChoiceOfKind(control, ControlChoice::Kind::Text);
    choice.text = text;
    return choice;
}

ControlChoice CheckedChoice(const std::string& control, bool checked) {
    ControlChoice choice = ChoiceOfKind(control, ControlChoice::Kind::Checked);
    choice.checked = checked;
    return choice;
}

ControlChoice IndexChoice(const std::string& control, int index) {
    ControlChoice choice = ChoiceOfKind(control, ControlChoice::Kind::Index);
    choice.index = index;
    return choice;
}

ControlChoice* FindControlChoice(FormChoice& choice, const std::string& control) {
    auto found = std::find_if(choice.controls.begin(), choice.controls.end(),
                              [&](const ControlChoice& each) { return each.control == control; });
    return found == choice.controls.end() ? nullptr : &*found;
}

const ControlChoice* FindControlChoice(const FormChoice& choice, const std::string& control) {
    return FindControlChoice(const_cast<FormChoice&>(choice), control);
}

}  // namespace hostfw
