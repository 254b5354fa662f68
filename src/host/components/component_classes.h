#pragma once

#include <functional>
#include <string>

#include "hostfw_export.h"

namespace hostfw {

class TComponent;

using ComponentFactory = std::function<TComponent*(TComponent* owner)>;

// The classes a stored definition may name, by class name.
HOSTFW_EXPORT void RegisterComponentClass(const std::string& className, ComponentFactory factory);
// A new component of that class owned by owner; nullptr for an unknown class.
HOSTFW_EXPORT TComponent* CreateComponentOfClass(const std::string& className, TComponent* owner);

// Application-wide components a definition may refer to as "Module.Component"
// (the shared database module, say).
HOSTFW_EXPORT void RegisterGlobalComponent(TComponent* component);
HOSTFW_EXPORT void UnregisterGlobalComponent(TComponent* component);
HOSTFW_EXPORT TComponent* FindGlobalComponent(const std::string& name);

}  // namespace hostfw
