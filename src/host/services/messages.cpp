#include "host/services/messages.h"

#include <strings.h>

#include "host/components/property_helpers.h"

namespace hostfw {

std::string TMessages::Msg(const std::string& key) const {
    for (const std::string& line : lines_) {
        const size_t bar = line.find('|');
        if (bar == std::string::npos)
            continue;
        if (bar == key.size() && strncasecmp(line.data(), key.data(), bar) == 0) {
            return line.substr(bar + 1);
        }
    }
    return {};
}

const PropertyInfo* TMessages::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"Messages.Strings", StringListProperty(&TMessages::SetLines)},
    };
    if (const PropertyInfo* p = Lookup(table, name))
        return p;
    return TComponent::FindProperty(name);
}

}  // namespace hostfw
