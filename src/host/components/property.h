#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "host/components/events.h"

namespace hostfw {

class TComponent;

// One item of a stored collection (a query's parameter list): its properties as text.
using CollectionItem = std::map<std::string, std::string>;

// What the definition loader hands to a published property's setter, already converted to
// the property's type. References arrive resolved to the component they name.
using PropertyValue =
    std::variant<std::int64_t, bool, double, std::string, std::vector<std::string>, TComponent*,
                 EventHandler, std::vector<CollectionItem>>;

enum class PropertyType {
    Integer,     // std::int64_t
    Boolean,     // bool
    Float,       // double
    String,      // std::string
    Identifier,  // std::string: an enumeration value such as bsSizeable or clInfoBk
    Binary,      // std::string holding the bytes
    StringList,  // std::vector<std::string>
    Set,         // std::vector<std::string>: [fsBold, ...]
    Reference,   // TComponent*
    Event,       // EventHandler
    Collection,  // std::vector<CollectionItem>
};

struct PropertyInfo {
    PropertyType type;
    // Empty for a design-only property, which the loader keeps as written.
    std::function<void(TComponent&, const PropertyValue&)> set;
};

// The published properties of one class, by name as the stored definition writes them.
using PropertyTable = std::map<std::string, PropertyInfo, std::less<>>;

}  // namespace hostfw
