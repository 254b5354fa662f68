#include "choices/saved_choice.h"

#include <nlohmann/json.hpp>

#include "host/core/date_rules.h"
#include "host/core/exception.h"

namespace host {
namespace {

using Json = nlohmann::json;

template <class T>
void Put(Json& json, const char* key, const std::optional<T>& value) {
    if (value)
        json[key] = *value;
}

template <class T>
void Take(const Json& json, const char* key, std::optional<T>& value) {
    if (const auto found = json.find(key); found != json.end())
        value = found->get<T>();
}

// Every field of a choice with its key in the stored text, for writing and reading alike.
template <class Choice, class Visit>
void EachField(Choice& choice, Visit&& visit) {
    visit("branch", choice.branch);
    visit("variant", choice.variant);
    visit("from", choice.from);
    visit("to", choice.to);
    visit("period", choice.period);
    visit("statuses", choice.statuses);
    visit("clients", choice.clients);
    visit("destinations", choice.destinations);
    visit("invoices", choice.invoices);
}

template <class T>
void OverrideWith(std::optional<T>& base, const std::optional<T>& over) {
    if (over)
        base = over;
}

}  // namespace

std::string ChoiceText(const SavedChoice& choice) {
    Json json = Json::object();
    EachField(choice, [&](const char* key, const auto& value) { Put(json, key, value); });
    return json.dump();
}

SavedChoice ParseChoiceText(const std::string& text, const std::string& name) {
    SavedChoice choice;
    try {
        const Json json = Json::parse(text);
        EachField(choice, [&](const char* key, auto& value) { Take(json, key, value); });
    } catch (const Json::exception&) {
        throw hostfw::Exception("A consulta salva \"" + name + "\" está danificada.");
    }
    if (choice.period && !hostfw::DateRuleRange(*choice.period, hostfw::Now())) {
        throw hostfw::Exception("A consulta salva \"" + name +
                                "\" tem um período desconhecido: " + *choice.period + ".");
    }
    return choice;
}

ReportChoices ReportChoicesOf(const SavedChoice& choice, hostfw::TDateTime today) {
    ReportChoices report;
    report.variant = choice.variant;
    report.from = choice.from;
    report.to = choice.to;
    if (choice.period) {
        if (const auto days = hostfw::DateRuleRange(*choice.period, today)) {
            report.from = hostfw::DateToStr(days->first);
            report.to = hostfw::DateToStr(days->last);
        }
    }
    report.statuses = choice.statuses;
    report.clients = choice.clients;
    report.destinations = choice.destinations;
    report.invoices = choice.invoices;
    report.savedKeys = {choice.clients.has_value(), choice.destinations.has_value(),
                        choice.invoices.has_value()};
    return report;
}

ReportChoices Overridden(ReportChoices base, const ReportChoices& over) {
    OverrideWith(base.from, over.from);
    OverrideWith(base.to, over.to);
    OverrideWith(base.variant, over.variant);
    OverrideWith(base.statuses, over.statuses);
    // Keys the command line gives must all exist: a list given there is no longer a saved one.
    OverrideWith(base.clients, over.clients);
    OverrideWith(base.destinations, over.destinations);
    OverrideWith(base.invoices, over.invoices);
    base.savedKeys.clients = base.savedKeys.clients && !over.clients;
    base.savedKeys.destinations = base.savedKeys.destinations && !over.destinations;
    base.savedKeys.invoices = base.savedKeys.invoices && !over.invoices;
    base.format = over.format;
    base.out = over.out;
    return base;
}

}  // namespace host
