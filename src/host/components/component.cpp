#include "host/components/component.h"

#include <strings.h>

#include <algorithm>

#include "host/components/component_context.h"
#include "host/components/property_helpers.h"

namespace hostfw {

TObject::~TObject() = default;

ComponentContext::~ComponentContext() = default;

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_ != nullptr)
        owner_->components_.push_back(this);
}

TComponent::~TComponent() {
    FreeComponents();
    if (owner_ != nullptr) {
        auto& siblings = owner_->components_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}

void TComponent::FreeComponents() {
    while (!components_.empty()) {
        TComponent* last = components_.back();
        delete last;  // its destructor takes it out of components_
    }
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    for (TComponent* c : components_) {
        if (c->name_.size() == name.size() &&
            strncasecmp(c->name_.data(), name.data(), name.size()) == 0) {
            return c;
        }
    }
    return nullptr;
}

const PropertyInfo* TComponent::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"Name", DesignProperty(PropertyType::String)},
        {"Tag", DesignProperty(PropertyType::Integer)},
    };
    return Lookup(table, name);
}

void TComponent::SetParentComponent(TComponent* /*parent*/) {}

const PropertyInfo* TComponent::Lookup(const PropertyTable& table, std::string_view name) {
    auto it = table.find(name);
    return it == table.end() ? nullptr : &it->second;
}

}  // namespace hostfw
