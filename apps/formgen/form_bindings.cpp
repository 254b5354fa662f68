#include "form_bindings.h"

#include <algorithm>
#include <cctype>

#include "host/core/exception.h"

namespace formgen {
namespace {

bool StartsWithWord(std::string_view name, std::string_view prefix) {
    return name.size() > prefix.size() && name.starts_with(prefix) && name[prefix.size()] >= 'A' &&
           name[prefix.size()] <= 'Z';
}

// Names go into the generated code as they are: anything but a plain identifier is refused.
const std::string& RequireIdentifier(const std::string& name, const std::string& shownAs,
                                     int line) {
    const bool plain = !name.empty() && std::isdigit(static_cast<unsigned char>(name[0])) == 0 &&
                       std::all_of(name.begin(), name.end(), [](char c) {
                           return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
                       });
    if (!plain) {
        throw hostfw::Exception(shownAs + ", linha " + std::to_string(line) + ": '" + name +
                                "' não é um nome de componente, classe ou manipulador.");
    }
    return name;
}

void CollectMembers(const hostfw::dfm::ObjectNode& node, const std::string& shownAs,
                    std::vector<BoundMember>& members) {
    for (const hostfw::dfm::ObjectNode& child : node.children) {
        if (!child.inherited) {
            members.push_back({RequireIdentifier(child.name, shownAs, child.line),
                               RequireIdentifier(child.className, shownAs, child.line)});
        }
        CollectMembers(child, shownAs, members);
    }
}

void CollectHandlers(const hostfw::dfm::ObjectNode& node, const std::string& shownAs,
                     std::vector<BoundHandler>& handlers) {
    for (const hostfw::dfm::Property& property : node.properties) {
        if (!IsEventProperty(property.name) ||
            property.value.kind() != hostfw::dfm::Value::Kind::Identifier)
            continue;
        const std::string& name =
            RequireIdentifier(property.value.AsIdentifier(), shownAs, property.line);
        const bool known = std::any_of(handlers.begin(), handlers.end(),
                                       [&](const BoundHandler& h) { return h.name == name; });
        if (!known)
            handlers.push_back({name, shownAs, property.line});
    }
    for (const hostfw::dfm::ObjectNode& child : node.children)
        CollectHandlers(child, shownAs, handlers);
}

}  // namespace

bool IsEventProperty(std::string_view propertyName) {
    const std::size_t dot = propertyName.rfind('.');
    const std::string_view last =
        dot == std::string_view::npos ? propertyName : propertyName.substr(dot + 1);
    return StartsWithWord(last, "On") || StartsWithWord(last, "Before") ||
           StartsWithWord(last, "After");
}

FormBindings ReadFormBindings(const DefinitionFile& own,
                              const std::vector<DefinitionFile>& ancestors) {
    FormBindings bindings;
    bindings.formClass = RequireIdentifier(own.root.className, own.shownAs, own.root.line);
    bindings.parentClass = ancestors.empty() ? "TForm" : ancestors.back().root.className;
    CollectMembers(own.root, own.shownAs, bindings.members);
    for (const DefinitionFile& ancestor : ancestors)
        CollectHandlers(ancestor.root, ancestor.shownAs, bindings.handlers);
    CollectHandlers(own.root, own.shownAs, bindings.handlers);
    return bindings;
}

}  // namespace formgen
