#include "host/data/params.h"

#include <strings.h>

#include "host/core/exception.h"

namespace hostfw {

TParams::TParams(const std::vector<std::string>& names) {
    for (const auto& name : names)
        CreateParam(name);
}

TParam& TParams::CreateParam(const std::string& name) {
    if (TParam* existing = FindParam(name))
        return *existing;
    params_.push_back(std::make_unique<TParam>(name));
    return *params_.back();
}

TParam* TParams::FindParam(const std::string& name) {
    for (auto& p : params_) {
        if (strcasecmp(p->Name().c_str(), name.c_str()) == 0)
            return p.get();
    }
    return nullptr;
}

const TParam* TParams::FindParam(const std::string& name) const {
    return const_cast<TParams*>(this)->FindParam(name);
}

TParam& TParams::ParamByName(const std::string& name) {
    if (TParam* p = FindParam(name))
        return *p;
    throw Exception("Parâmetro '" + name + "' não encontrado.");
}

const TParam& TParams::ParamByName(const std::string& name) const {
    return const_cast<TParams*>(this)->ParamByName(name);
}

}  // namespace hostfw
