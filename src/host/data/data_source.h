#pragma once

#include "host/components/component.h"
#include "hostfw_export.h"

namespace hostfw {

class TDataSet;

// Shows the rows of a dataset to pickers and search buttons.
class HOSTFW_EXPORT TDataSource : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TDataSource"; }
    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* dataSet) { dataSet_ = dataSet; }
    const PropertyInfo* FindProperty(std::string_view name) const override;

private:
    TDataSet* dataSet_ = nullptr;
};

}  // namespace hostfw
