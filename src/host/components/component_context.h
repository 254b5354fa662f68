#pragma once

#include <string>

#include "host/components/component.h"
#include "host/core/exception.h"
#include "hostfw_export.h"

namespace hostfw {

// What a program gives the components it builds: the session, the shared database, the
// observers. Each layer extends it with its own part; the root of an owner chain carries it,
// so a component reaches it through its owners and two programs' trees never share one.
class HOSTFW_EXPORT ComponentContext {
public:
    virtual ~ComponentContext();
};

// A root owner that carries a context: what a program without an application owns its
// components with.
class HOSTFW_EXPORT TContextOwner : public TComponent {
public:
    explicit TContextOwner(ComponentContext& context) : TComponent(nullptr), context_(context) {}
    ~TContextOwner() override { FreeComponents(); }
    std::string ClassName() const override { return "TContextOwner"; }
    ComponentContext* CarriedContext() const override { return &context_; }

private:
    ComponentContext& context_;
};

// The context of that kind carried by the component or one of its owners; nullptr when none
// is.
template <class Context>
Context* FindContext(const TComponent& component) {
    for (const TComponent* c = &component; c != nullptr; c = c->Owner()) {
        if (ComponentContext* carried = c->CarriedContext())
            return dynamic_cast<Context*>(carried);
    }
    return nullptr;
}

// As FindContext, raising a clear error for a component built outside any program's context.
template <class Context>
Context& ContextOf(const TComponent& component) {
    if (Context* context = FindContext<Context>(component))
        return *context;
    throw Exception("O componente '" + component.Name() +
                    "' não pertence a nenhuma aplicação (sem sessão nem banco de dados).");
}

}  // namespace hostfw
