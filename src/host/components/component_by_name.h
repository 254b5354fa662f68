#pragma once

#include <string>

#include "host/components/component.h"
#include "host/core/exception.h"

namespace hostfw {

template <class T>
T& ComponentByName(const TComponent& owner, std::string_view name) {
    TComponent* found = owner.FindComponent(name);
    if (found == nullptr) {
        throw Exception("Componente '" + std::string(name) + "' não encontrado em '" +
                        owner.Name() + "'.");
    }
    T* typed = dynamic_cast<T*>(found);
    if (typed == nullptr) {
        throw Exception("Componente '" + std::string(name) + "' é um " + found->ClassName() +
                        ", não do tipo esperado.");
    }
    return *typed;
}

}  // namespace hostfw
