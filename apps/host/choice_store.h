#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/data/saved_choices.h"
#include "saved_choice.h"

namespace host {

// The saved choices and the last query of the current person (CurrentChoiceOwner) for the
// report `report`, in the session's shared database.
void SavePreset(const std::string& report, const std::string& name, bool shared,
                const SavedChoice& choice);
// Raises a clear message when the person has no choice of that name they may use.
SavedChoice LoadPreset(const std::string& report, const std::string& name);
bool PresetExists(const std::string& report, const std::string& name);
// Every saved choice the person may apply: their own first, then those colleagues of the
// branch shared, each by name.
std::vector<hostfw::StoredChoice> AvailablePresets(const std::string& report);
void KeepLastQuery(const std::string& report, const SavedChoice& choice);
// Raises a clear message when no run of the report reached this person yet.
SavedChoice LoadLastQuery(const std::string& report);

}  // namespace host
