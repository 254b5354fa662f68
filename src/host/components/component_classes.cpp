#include "host/components/component_classes.h"

#include <algorithm>
#include <map>
#include <vector>

#include "host/components/component.h"

namespace hostfw {
namespace {

std::map<std::string, ComponentFactory>& Factories() {
    static std::map<std::string, ComponentFactory> map;
    return map;
}

std::vector<TComponent*>& Globals() {
    static std::vector<TComponent*> list;
    return list;
}

}  // namespace

void RegisterComponentClass(const std::string& className, ComponentFactory factory) {
    Factories()[className] = std::move(factory);
}

TComponent* CreateComponentOfClass(const std::string& className, TComponent* owner) {
    auto it = Factories().find(className);
    return it == Factories().end() ? nullptr : it->second(owner);
}

void RegisterGlobalComponent(TComponent* component) {
    if (std::find(Globals().begin(), Globals().end(), component) == Globals().end()) {
        Globals().push_back(component);
    }
}

void UnregisterGlobalComponent(TComponent* component) {
    auto& list = Globals();
    list.erase(std::remove(list.begin(), list.end(), component), list.end());
}

TComponent* FindGlobalComponent(const std::string& name) {
    for (TComponent* c : Globals()) {
        if (c->Name() == name)
            return c;
    }
    return nullptr;
}

}  // namespace hostfw
