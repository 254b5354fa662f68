#pragma once

#include <string>
#include <type_traits>

#include "host/components/component.h"
#include "host/core/exception.h"

namespace hostfw {

// Builders for published-property tables: each turns a setter of class C into the
// type-erased entry the definition loader calls.

inline PropertyInfo DesignProperty(PropertyType type) {
    return {type, {}};
}

template <class C>
PropertyInfo StringProperty(void (C::*setter)(const std::string&),
                            PropertyType type = PropertyType::String) {
    return {type, [setter](TComponent& c, const PropertyValue& v) {
                (static_cast<C&>(c).*setter)(std::get<std::string>(v));
            }};
}

template <class C>
PropertyInfo IdentifierProperty(void (C::*setter)(const std::string&)) {
    return StringProperty(setter, PropertyType::Identifier);
}

template <class C, class Int>
PropertyInfo IntegerProperty(void (C::*setter)(Int)) {
    return {PropertyType::Integer, [setter](TComponent& c, const PropertyValue& v) {
                (static_cast<C&>(c).*setter)(static_cast<Int>(std::get<std::int64_t>(v)));
            }};
}

template <class C>
PropertyInfo BooleanProperty(void (C::*setter)(bool)) {
    return {PropertyType::Boolean, [setter](TComponent& c, const PropertyValue& v) {
                (static_cast<C&>(c).*setter)(std::get<bool>(v));
            }};
}

template <class C>
PropertyInfo StringListProperty(void (C::*setter)(const std::vector<std::string>&),
                                PropertyType type = PropertyType::StringList) {
    return {type, [setter](TComponent& c, const PropertyValue& v) {
                (static_cast<C&>(c).*setter)(std::get<std::vector<std::string>>(v));
            }};
}

template <class C>
PropertyInfo SetProperty(void (C::*setter)(const std::vector<std::string>&)) {
    return StringListProperty(setter, PropertyType::Set);
}

template <class C>
PropertyInfo CollectionProperty(void (C::*setter)(const std::vector<CollectionItem>&)) {
    return {PropertyType::Collection, [setter](TComponent& c, const PropertyValue& v) {
                (static_cast<C&>(c).*setter)(std::get<std::vector<CollectionItem>>(v));
            }};
}

// A reference to another component, which must be of class Target.
template <class C, class Target>
PropertyInfo ReferenceProperty(void (C::*setter)(Target*)) {
    return {PropertyType::Reference, [setter](TComponent& c, const PropertyValue& v) {
                TComponent* target = std::get<TComponent*>(v);
                auto* typed = dynamic_cast<Target*>(target);
                if (target != nullptr && typed == nullptr) {
                    throw Exception("'" + target->Name() + "' é um " + target->ClassName() +
                                    ", de tipo impróprio para esta propriedade.");
                }
                (static_cast<C&>(c).*setter)(typed);
            }};
}

// An event member of class C holding a handler of type Handler.
template <class C, class Handler>
PropertyInfo EventProperty(Handler C::*member) {
    return {PropertyType::Event, [member](TComponent& c, const PropertyValue& v) {
                const auto& handler = std::get<EventHandler>(v);
                if (!std::holds_alternative<Handler>(handler)) {
                    throw Exception("o manipulador não tem a assinatura deste evento.");
                }
                static_cast<C&>(c).*member = std::get<Handler>(handler);
            }};
}

}  // namespace hostfw
