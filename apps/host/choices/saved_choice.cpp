#include "choices/saved_choice.h"

#include <nlohmann/json.hpp>

#include "choices/option_choice.h"
#include "host/core/date_rules.h"
#include "host/core/exception.h"

namespace host {
namespace {

using Json = nlohmann::json;

template <class T>
void Take(const Json& json, const char* key, std::optional<T>& value) {
    if (const auto found = json.find(key); found != json.end())
        value = found->get<T>();
}

// The untyped choice as the report command's options, its lists marked as saved keys.
ReportChoices OptionsOf(const SavedChoice& choice) {
    ReportChoices options;
    options.variant = choice.variant;
    options.from = choice.from;
    options.to = choice.to;
    options.statuses = choice.statuses;
    options.clients = choice.clients;
    options.destinations = choice.destinations;
    options.invoices = choice.invoices;
    options.savedKeys = {true, true, true};
    return options;
}

}  // namespace

SavedChoice ParseChoiceText(const std::string& text, const std::string& name) {
    SavedChoice choice;
    try {
        const Json json = Json::parse(text);
        if (!json.is_object())
            throw hostfw::Exception("A consulta salva \"" + name + "\" está danificada.");
        Take(json, "branch", choice.branch);
        Take(json, "variant", choice.variant);
        Take(json, "from", choice.from);
        Take(json, "to", choice.to);
        Take(json, "period", choice.period);
        Take(json, "statuses", choice.statuses);
        Take(json, "clients", choice.clients);
        Take(json, "destinations", choice.destinations);
        Take(json, "invoices", choice.invoices);
    } catch (const Json::exception&) {
        throw hostfw::Exception("A consulta salva \"" + name + "\" está danificada.");
    }
    if (choice.period && !hostfw::DateRuleRange(*choice.period, hostfw::Now())) {
        throw hostfw::Exception("A consulta salva \"" + name +
                                "\" tem um período desconhecido: " + *choice.period + ".");
    }
    return choice;
}

hostfw::FormChoice ReadStoredChoice(const std::string& text, const std::string& name) {
    if (auto typed = hostfw::ParseFormChoiceText(text, name))
        return std::move(*typed);
    const SavedChoice old = ParseChoiceText(text, name);
    hostfw::FormChoice choice = ChoiceOfOptions(OptionsOf(old), old.branch);
    if (old.period)
        SetDateRule(choice, *old.period);
    return choice;
}

}  // namespace host
