#include "host/components/component_classes.h"

#include <algorithm>
#include <map>
#include <vector>

#include "host/components/component.h"

namespace hostfw {
namespace {

std::map<std::string, ComponentFactory>& factories() {
    static std::map<std::string, ComponentFactory> map;
    return map;
}

std::vector<TComponent*>& globals() {
    static std::vector<TComponent*> list;
    return list;
}

}  // namespace

void RegisterComponentClass(const std::string& className, ComponentFactory factory) {
    factories()[className] = std::move(factory);
}

TComponent* CreateComponentOfClass(const std::string& className, TComponent* owner) {
    auto it = factories().find(className);
    return it == factories().end() ? nullptr : it->second(owner);
}

void RegisterGlobalComponent(TComponent* component) {
    if (std::find(globals().begin(), globals().end(), component) == globals().end()) {
        globals().push_back(component);
    }
}

void UnregisterGlobalComponent(TComponent* component) {
    auto& list = globals();
    list.erase(std::remove(list.begin(), list.end(), component), list.end());
}

TComponent* FindGlobalComponent(const std::string& name) {
    for (TComponent* c : globals()) {
        if (c->Name() == name)
            return c;
    }
    return nullptr;
}

}  // namespace hostfw
