#pragma once

#include "host/data/data_packet.h"
#include "host/data/dataset.h"
#include "hostfw_export.h"

namespace hostfw {

// A dataset filled from a data packet, whole: each SetData replaces every row.
class HOSTFW_EXPORT TClientDataSet : public TDataSet {
public:
    using TDataSet::TDataSet;
    std::string ClassName() const override { return "TClientDataSet"; }

    // Loads the packet as the whole content. A packet whose fields do not match the
    // persistent fields (names, in order) is refused with a clear error and the previous
    // content stays.
    void SetData(DataPacket packet);

    const PropertyInfo* FindProperty(std::string_view name) const override;

protected:
    // Reopening shows the last packet again.
    std::unique_ptr<Cursor> FetchRows(std::vector<std::string>& columns, RowStore& rows) override;

private:
    DataPacket data_;
};

}  // namespace hostfw
