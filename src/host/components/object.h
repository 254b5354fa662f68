#pragma once

#include "hostfw_export.h"

namespace hostfw {

// The root of everything that can be an event's sender.
class HOSTFW_EXPORT TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject();
};

}  // namespace hostfw
