#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "host/components/object.h"
#include "host/components/property.h"
#include "hostfw_export.h"

namespace hostfw {

class ComponentContext;

// A named component owned by another: the owner frees what it owns, in reverse order of
// creation. Published properties can be set by name from a stored definition.
class HOSTFW_EXPORT TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    TComponent* Owner() const { return owner_; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_[static_cast<size_t>(index)]; }
    // Owned component by name, letter case ignored; nullptr when there is none.
    TComponent* FindComponent(std::string_view name) const;

    virtual std::string ClassName() const = 0;

    // The published property of that name (dotted paths such as "Font.Style" included),
    // nullptr when the class has none.
    virtual const PropertyInfo* FindProperty(std::string_view name) const;
    // The stored definition nests this component inside another (a control in its parent,
    // a field in its dataset).
    virtual void SetParentComponent(TComponent* parent);
    // Runs once the whole definition is applied.
    virtual void Loaded() {}
    // The context a root owner carries for the tree below it (FindContext); others carry none.
    virtual ComponentContext* CarriedContext() const { return nullptr; }

    // Properties the stored definition holds for the designer and the desktop view only
    // (glyphs, pixel density); kept as written.
    const std::map<std::string, std::string, std::less<>>& DesignValues() const {
        return designValues_;
    }
    void SetDesignValue(const std::string& name, const std::string& value) {
        designValues_[name] = value;
    }

protected:
    // Frees the owned components, last created first. A root that carries a context does it
    // in its own destructor, so the components still reach the context on the way out.
    void FreeComponents();
    static const PropertyInfo* Lookup(const PropertyTable& table, std::string_view name);

private:
    std::string name_;
    TComponent* owner_;
    std::vector<TComponent*> components_;
    std::map<std::string, std::string, std::less<>> designValues_;
};

// Finds an owned component of the expected class; raises a clear error naming the
// component when it is missing or of another class.
template <class T>
T& ComponentByName(const TComponent& owner, std::string_view name);

}  // namespace hostfw

#include "host/components/component_by_name.h"
