#pragma once

#include <string_view>

#include "hostfw_export.h"

namespace hostfw {

class TComponent;
class HandlerTable;

// Applies a stored definition to a form: components created by the class registry,
// properties set by name, references resolved and events bound by handler name against the
// form's handler table. "inherited" blocks change components an ancestor's definition created.
// Any unknown class, property, reference or handler is an error naming the component.
HOSTFW_EXPORT void LoadDefinition(TComponent& form, const HandlerTable& handlers,
                                  std::string_view text, std::string_view sourceName);

}  // namespace hostfw
