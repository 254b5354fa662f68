#pragma once

#include "host/components/component.h"
#include "hostfw_export.h"

namespace hostfw {

// The host's shared database module "dtmDBGeral": the components queries name as their
// connection ("adcGeral" for SQL Server, "dtbGeral" and "ibtGeral" for the other engine).
// All of them stand for the session's one shared database.
class HOSTFW_EXPORT TDataModule : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TDataModule"; }
};

class HOSTFW_EXPORT TDatabaseLink : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TDatabaseLink"; }
};

// Creates dtmDBGeral once; start-up registers it for references from stored definitions.
HOSTFW_EXPORT TDataModule& SharedDatabaseModule();

}  // namespace hostfw
