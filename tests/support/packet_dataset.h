#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/data/client_dataset.h"
#include "host/data/field.h"

namespace testsupport {

// A client dataset with one string field per column, loaded with the rows given.
inline std::unique_ptr<hostfw::TClientDataSet> MakeDataSet(
    const std::vector<std::string>& columns, const std::vector<std::vector<std::string>>& rows) {
    auto dataSet = std::make_unique<hostfw::TClientDataSet>(nullptr);
    dataSet->SetName("cdsTeste");
    hostfw::DataPacket packet;
    for (const std::string& column : columns) {
        auto* field = new hostfw::TStringField(dataSet.get());
        field->SetFieldName(column);
        field->SetDataSet(dataSet.get());
        packet.fields.push_back({column});
    }
    for (const auto& row : rows)
        packet.rows.emplace_back(row.begin(), row.end());
    dataSet->SetData(packet);
    return dataSet;
}

}  // namespace testsupport
