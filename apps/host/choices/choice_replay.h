#pragma once

#include "choices/saved_choice.h"
#include "scripts/script_commands.h"

namespace host {

// Does again what a saved choice kept, line by line through the same commands a script uses,
// so the live form checks and refuses as if each choice were typed; stops at a line that fails.
void ReplaySavedChoice(ScriptContext& context, const SavedChoice& choice);

}  // namespace host
