#include "choices/option_choice.h"

#include <algorithm>

#include "host/components/published_report_options.h"
#include "host/core/exception.h"

namespace host {
namespace {

using hostfw::ControlChoice;
using hostfw::FormChoice;
using hostfw::ReportOption;

const ReportOption& PublishedOption(const std::string& word) {
    if (const ReportOption* option = hostfw::FindReportOption(word))
        return *option;
    throw hostfw::Exception("O formulário aberto não recebe a opção \"" + word +
                            "\" do relatório.");
}

// Puts `control` in the choice, in place of what the choice had for the same control.
void Put(FormChoice& choice, ControlChoice control) {
    if (ControlChoice* kept = hostfw::FindControlChoice(choice, control.control))
        *kept = std::move(control);
    else
        choice.controls.push_back(std::move(control));
}

void PutText(FormChoice& choice, const std::string& word, const std::optional<std::string>& text) {
    if (!text)
        return;
    Put(choice, hostfw::TextChoice(PublishedOption(word).control, *text));
}

void PutIndex(FormChoice& choice, const std::string& word, const std::optional<int>& index) {
    if (!index)
        return;
    Put(choice, hostfw::IndexChoice(PublishedOption(word).control, *index));
}

void PutLetters(FormChoice& choice, const std::string& word,
                const std::optional<std::string>& letters) {
    if (!letters)
        return;
    for (const auto& [letter, box] : PublishedOption(word).letters)
        Put(choice, hostfw::CheckedChoice(box, letters->find(letter) != std::string::npos));
}

// "Lista" with the keys picked through its opener, or "Todos" without keys.
void PutList(FormChoice& choice, const std::string& word,
             const std::optional<std::vector<std::string>>& keys, bool keysMayBeGone) {
    const ReportOption& option = PublishedOption(word);
    Put(choice, hostfw::CheckedChoice(option.allControl, !keys));
    Put(choice, hostfw::CheckedChoice(option.control, keys.has_value()));
    std::erase_if(choice.lists,
                  [&](const hostfw::ListChoice& list) { return list.opener == option.opener; });
    if (keys)
        choice.lists.push_back({option.opener, *keys, keysMayBeGone});
}

void PutGivenOptions(FormChoice& choice, const ReportChoices& options,
                     const std::optional<std::string>& branch) {
    PutText(choice, "branch", branch);
    PutText(choice, "from", options.from);
    PutText(choice, "to", options.to);
    PutIndex(choice, "variant", options.variant);
    PutLetters(choice, "statuses", options.statuses);
    if (options.clients)
        PutList(choice, "clients", options.clients, options.savedKeys.clients);
    if (options.destinations)
        PutList(choice, "destinations", options.destinations, options.savedKeys.destinations);
    if (options.invoices)
        PutList(choice, "invoices", options.invoices, options.savedKeys.invoices);
}

}  // namespace

FormChoice ChoiceOfOptions(const ReportChoices& options, const std::optional<std::string>& branch) {
    FormChoice choice;
    PutGivenOptions(choice, options, branch);
    for (const char* word : {"clients", "destinations", "invoices"}) {
        if (hostfw::FindControlChoice(choice, PublishedOption(word).control) == nullptr)
            PutList(choice, word, std::nullopt, false);
    }
    return choice;
}

FormChoice Overridden(FormChoice base, const ReportChoices& options,
                      const std::optional<std::string>& branch) {
    PutGivenOptions(base, options, branch);
    return base;
}

void SetDateRule(FormChoice& choice, const std::string& period) {
    for (const char* word : {"from", "to"}) {
        ControlChoice control = hostfw::TextChoice(PublishedOption(word).control, "");
        if (const ControlChoice* kept = hostfw::FindControlChoice(choice, control.control))
            control = *kept;
        control.dateRule = period;
        control.ruleLastDay = std::string_view(word) == "to";
        Put(choice, std::move(control));
    }
}

std::optional<std::string> OptionText(const FormChoice& choice, const std::string& option) {
    const ControlChoice* control =
        hostfw::FindControlChoice(choice, PublishedOption(option).control);
    if (control == nullptr || control->kind != ControlChoice::Kind::Text)
        return std::nullopt;
    return control->text;
}

}  // namespace host
