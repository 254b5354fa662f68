#include "saved_choice.h"

#include <nlohmann/json.hpp>

#include "host/core/date_rules.h"
#include "host/core/exception.h"

namespace host {
namespace {

using Json = nlohmann::json;

template <class T>
void put(Json& json, const char* key, const std::optional<T>& value) {
    if (value)
        json[key] = *value;
}

template <class T>
void take(const Json& json, const char* key, std::optional<T>& value) {
    if (const auto found = json.find(key); found != json.end())
        value = found->get<T>();
}

template <class T>
void OverrideWith(std::optional<T>& base, const std::optional<T>& over) {
    if (over)
        base = over;
}

}  // namespace

std::string ChoiceText(const SavedChoice& choice) {
    Json json = Json::object();
    put(json, "branch", choice.branch);
    put(json, "variant", choice.variant);
    put(json, "from", choice.from);
    put(json, "to", choice.to);
    put(json, "period", choice.period);
    put(json, "statuses", choice.statuses);
    put(json, "clients", choice.clients);
    put(json, "destinations", choice.destinations);
    put(json, "invoices", choice.invoices);
    return json.dump();
}

SavedChoice ParseChoiceText(const std::string& text, const std::string& name) {
    SavedChoice choice;
    try {
        const Json json = Json::parse(text);
        take(json, "branch", choice.branch);
        take(json, "variant", choice.variant);
        take(json, "from", choice.from);
        take(json, "to", choice.to);
        take(json, "period", choice.period);
        take(json, "statuses", choice.statuses);
        take(json, "clients", choice.clients);
        take(json, "destinations", choice.destinations);
        take(json, "invoices", choice.invoices);
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
