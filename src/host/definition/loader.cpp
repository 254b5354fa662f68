#include "host/definition/loader.h"

#include <cstdio>
#include <string>
#include <vector>

#include "host/components/component.h"
#include "host/components/component_classes.h"
#include "host/components/handler_table.h"
#include "host/core/exception.h"
#include "host/definition/dfm_parser.h"

namespace hostfw {
namespace {

std::string ValueAsText(const dfm::Value& value) {
    switch (value.kind()) {
        case dfm::Value::Kind::Integer:
            return std::to_string(value.AsInteger());
        case dfm::Value::Kind::Float:
            return std::to_string(value.AsFloat());
        case dfm::Value::Kind::String:
            return value.AsString();
        case dfm::Value::Kind::Identifier:
            return value.AsIdentifier();
        case dfm::Value::Kind::Binary: {
            std::string hex;
            char byte[3];
            for (std::uint8_t b : value.AsBinary()) {
                std::snprintf(byte, sizeof byte, "%02X", b);
                hex += byte;
            }
            return hex;
        }
        case dfm::Value::Kind::Set: {
            std::string out = "[";
            for (const auto& member : value.AsSet())
                out += (out.size() > 1 ? ", " : "") + member;
            return out + "]";
        }
        case dfm::Value::Kind::List: {
            std::string out;
            for (const auto& line : value.AsList())
                out += ValueAsText(line) + "\n";
            return out;
        }
        case dfm::Value::Kind::Collection:
            return "<" + std::to_string(value.AsCollection().size()) + " itens>";
    }
    return {};
}

bool ValueAsBoolean(const dfm::Value& value) {
    const std::string& ident = value.AsIdentifier();
    if (ident == "True")
        return true;
    if (ident == "False")
        return false;
    throw Exception("esperado True ou False, encontrado '" + ident + "'.");
}

std::vector<CollectionItem> ValueAsCollection(const dfm::Value& value) {
    std::vector<CollectionItem> items;
    for (const dfm::Item& item : value.AsCollection()) {
        CollectionItem converted;
        for (const dfm::Property& p : item)
            converted[p.name] = ValueAsText(p.value);
        items.push_back(std::move(converted));
    }
    return items;
}

// References are resolved once every component of the definition exists.
struct PendingReference {
    TComponent* component;
    const PropertyInfo* property;
    std::string target;
    std::string where;
};

class Loader {
public:
    Loader(TComponent& root, const HandlerTable& handlers, std::string_view sourceName)
        : form_(root), handlers_(handlers), source_(sourceName) {}

    void Load(const dfm::ObjectNode& root) {
        form_.SetName(root.name);
        ApplyProperties(form_, root);
        for (const dfm::ObjectNode& child : root.children)
            LoadNode(child, form_);
        for (const PendingReference& ref : references_)
            Resolve(ref);
        for (int i = 0; i < form_.ComponentCount(); ++i)
            form_.Components(i)->Loaded();
        form_.Loaded();
    }

private:
    void LoadNode(const dfm::ObjectNode& node, TComponent& parent) {
        TComponent* component = nullptr;
        if (node.inherited) {
            component = form_.FindComponent(node.name);
            if (component == nullptr) {
                Fail(node.line, node.name,
                     "componente herdado não existe no formulário ancestral.");
            }
        } else {
            if (form_.FindComponent(node.name) != nullptr) {
                Fail(node.line, node.name, "já existe um componente com este nome.");
            }
            component = CreateComponentOfClass(node.className, &form_);
            if (component == nullptr) {
                Fail(node.line, node.name, "classe desconhecida '" + node.className + "'.");
            }
            component->SetName(node.name);
            try {
                component->SetParentComponent(&parent);
            } catch (const Exception& e) {
                Fail(node.line, node.name, e.what());
            }
        }
        ApplyProperties(*component, node);
        for (const dfm::ObjectNode& child : node.children)
            LoadNode(child, *component);
    }

    void ApplyProperties(TComponent& component, const dfm::ObjectNode& node) {
        for (const dfm::Property& property : node.properties) {
            const PropertyInfo* info = component.FindProperty(property.name);
            if (info == nullptr) {
                Fail(property.line, node.name,
                     "propriedade desconhecida '" + property.name + "' (" + component.ClassName() +
                         ").");
            }
            try {
                Apply(component, *info, property, node.name);
            } catch (const Exception& e) {
                Fail(property.line, node.name, property.name + ": " + e.what());
            }
        }
    }

    void Apply(TComponent& component, const PropertyInfo& info, const dfm::Property& property,
               const std::string& where) {
        const dfm::Value& v = property.value;
        if (!info.set) {
            component.SetDesignValue(property.name, ValueAsText(v));
            return;
        }
        switch (info.type) {
            case PropertyType::Integer:
                info.set(component, v.AsInteger());
                break;
            case PropertyType::Boolean:
                info.set(component, ValueAsBoolean(v));
                break;
            case PropertyType::Float:
                info.set(component, v.AsFloat());
                break;
            case PropertyType::String:
                info.set(component, v.AsString());
                break;
            case PropertyType::Identifier:
                info.set(component, v.kind() == dfm::Value::Kind::Integer
                                        ? std::to_string(v.AsInteger())
                                        : v.AsIdentifier());
                break;
            case PropertyType::Binary:
                info.set(component, ValueAsText(v));
                break;
            case PropertyType::StringList:
                info.set(component, v.AsStrings());
                break;
            case PropertyType::Set:
                info.set(component, v.AsSet());
                break;
            case PropertyType::Collection:
                info.set(component, ValueAsCollection(v));
                break;
            case PropertyType::Reference:
                references_.push_back({&component, &info, v.AsIdentifier(), where});
                break;
            case PropertyType::Event: {
                const EventHandler* handler = handlers_.Find(v.AsIdentifier());
                if (handler == nullptr) {
                    throw Exception("manipulador '" + v.AsIdentifier() + "' não encontrado.");
                }
                info.set(component, *handler);
                break;
            }
        }
    }

    void Resolve(const PendingReference& ref) {
        TComponent* target = nullptr;
        const size_t dot = ref.target.find('.');
        if (dot == std::string::npos) {
            target = form_.FindComponent(ref.target);
        } else if (TComponent* module = FindGlobalComponent(ref.target.substr(0, dot))) {
            target = module->FindComponent(ref.target.substr(dot + 1));
        }
        if (target == nullptr) {
            Fail(0, ref.where, "referência a componente inexistente '" + ref.target + "'.");
        }
        try {
            ref.property->set(*ref.component, target);
        } catch (const Exception& e) {
            Fail(0, ref.where, e.what());
        }
    }

    [[noreturn]] void Fail(int line, const std::string& component, const std::string& what) {
        std::string where = std::string(source_);
        if (line > 0)
            where += ", linha " + std::to_string(line);
        throw Exception(where + ": " + form_.Name() + "." + component + ": " + what);
    }

    TComponent& form_;
    const HandlerTable& handlers_;
    std::string_view source_;
    std::vector<PendingReference> references_;
};

}  // namespace

void LoadDefinition(TComponent& form, const HandlerTable& handlers, std::string_view text,
                    std::string_view sourceName) {
    const dfm::ObjectNode root = dfm::ParseDfm(text, sourceName);
    Loader(form, handlers, sourceName).Load(root);
}

}  // namespace hostfw
