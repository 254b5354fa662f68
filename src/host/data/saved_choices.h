#pragma once

#include <optional>
#include <string>
#include <vector>

#include "hostfw_export.h"

namespace hostfw {

class Engine;

// Whose the saved choices are, and the branch they are shared with.
struct ChoiceOwner {
    std::string person;
    std::string branch;
};

// A saved choice as stored: its name, whether the branch sees it, and the choices as text.
struct StoredChoice {
    std::string person;
    std::string name;
    bool shared = false;
    std::string choices;
};

// Creates the table of saved choices where it is missing.
HOSTFW_EXPORT void CreateSavedChoicesTable(Engine& engine);

// Keeps a new choice of the person's under `name` (not blank, at most 120 characters). Raises a
// clear message when the person already has a choice of that name for the report.
HOSTFW_EXPORT void SaveChoice(Engine& engine, const ChoiceOwner& owner, const std::string& report,
                              const std::string& name, bool shared, const std::string& choices);

// The choice named `name` the person may use: their own, or else one shared by someone of
// their branch. Nothing when there is none.
HOSTFW_EXPORT std::optional<StoredChoice> FindChoice(Engine& engine, const ChoiceOwner& owner,
                                                     const std::string& report,
                                                     const std::string& name);

// The owner's changes to a choice of theirs, each returning the choice as it now is (as it was,
// for a deleted one). A name the person cannot see, and a colleague's shared choice, are refused
// with a clear message and change nothing. A new name is checked as on save.
HOSTFW_EXPORT StoredChoice RenameChoice(Engine& engine, const ChoiceOwner& owner,
                                        const std::string& report, const std::string& name,
                                        const std::string& newName);
HOSTFW_EXPORT StoredChoice DeleteChoice(Engine& engine, const ChoiceOwner& owner,
                                        const std::string& report, const std::string& name);
// Shared with the people of the owner's branch, or private to the owner.
HOSTFW_EXPORT StoredChoice ShareChoice(Engine& engine, const ChoiceOwner& owner,
                                       const std::string& report, const std::string& name,
                                       bool shared);

// FindChoice, raising a clear message when there is none.
HOSTFW_EXPORT StoredChoice UsableChoice(Engine& engine, const ChoiceOwner& owner,
                                        const std::string& report, const std::string& name);

// Every choice the person may use, their own first, by name.
HOSTFW_EXPORT std::vector<StoredChoice> ListChoices(Engine& engine, const ChoiceOwner& owner,
                                                    const std::string& report);

// The person's last query, replaced by each successful run; never shared.
HOSTFW_EXPORT void KeepLastQuery(Engine& engine, const ChoiceOwner& owner,
                                 const std::string& report, const std::string& choices);
HOSTFW_EXPORT std::optional<std::string> LastQuery(Engine& engine, const ChoiceOwner& owner,
                                                   const std::string& report);

}  // namespace hostfw
