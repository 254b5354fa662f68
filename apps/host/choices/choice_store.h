#pragma once

#include <optional>
#include <string>
#include <vector>

#include "host/base_form/form_choice.h"
#include "host/data/data_context.h"
#include "host/data/saved_choices.h"

namespace host {

// The saved choices and the last query of the current person of the context's session
// (CurrentChoiceOwner) for the report `report`, in the session's shared database.
void SavePreset(hostfw::DataContext& context, const std::string& report, const std::string& name,
                bool shared, const hostfw::FormChoice& choice);
// Raises a clear message when the person has no choice of that name they may use. A choice
// kept untyped by an earlier version is converted as it is read (ReadStoredChoice).
hostfw::FormChoice LoadPreset(hostfw::DataContext& context, const std::string& report,
                              const std::string& name);
// The choice `preset apply` would use: the person's own, or else a colleague's shared one.
std::optional<hostfw::StoredChoice> FindPreset(hostfw::DataContext& context,
                                               const std::string& report, const std::string& name);
// What the window's menu of saved choices offers: one call per entry, each returning the choice
// as it now is or raising a clear message (a missing name, a colleague's choice, a name taken).
hostfw::StoredChoice RenamePreset(hostfw::DataContext& context, const std::string& report,
                                  const std::string& name, const std::string& newName);
hostfw::StoredChoice DeletePreset(hostfw::DataContext& context, const std::string& report,
                                  const std::string& name);
hostfw::StoredChoice SharePreset(hostfw::DataContext& context, const std::string& report,
                                 const std::string& name, bool shared);
// The choices the person may apply, their own first, each with its owner and whether shared.
std::vector<hostfw::StoredChoice> AvailablePresets(hostfw::DataContext& context,
                                                   const std::string& report);
void KeepLastQuery(hostfw::DataContext& context, const std::string& report,
                   const hostfw::FormChoice& choice);
// Raises a clear message when no run of the report reached this person yet.
hostfw::FormChoice LoadLastQuery(hostfw::DataContext& context, const std::string& report);

}  // namespace host
