#include "host/report/exist_param.h"

namespace hostfw {

namespace {
constexpr std::size_t kMaxShortStringLength = 255;
}

bool ExistParam(const TParams& params, const std::string& name) {
    return name.size() <= kMaxShortStringLength && params.FindParam(name) != nullptr;
}

}  // namespace hostfw
