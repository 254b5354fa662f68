#include "host/data/data_source.h"

#include "host/components/property_helpers.h"
#include "host/data/dataset.h"

namespace hostfw {

const PropertyInfo* TDataSource::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"DataSet", ReferenceProperty(&TDataSource::SetDataSet)},
        {"AutoEdit", DesignProperty(PropertyType::Boolean)},
    };
    if (const PropertyInfo* p = Lookup(table, name))
        return p;
    return TComponent::FindProperty(name);
}

}  // namespace hostfw
