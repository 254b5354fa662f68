#pragma once

#include "host/base_form/form_choice.h"
#include "scripts/script_commands.h"

namespace host {

// Sets the live form to `choice` through the script's screen, as a person would (typing,
// clicking, choosing, the dialogs answered with the choice's keys), so the form checks and
// refuses as if each were done by hand; stops at the first action that fails. What the form
// no longer has is told as a warning.
void ApplyChoice(ScriptContext& context, const hostfw::FormChoice& choice);

}  // namespace host
