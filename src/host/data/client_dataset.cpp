#include "host/data/client_dataset.h"

#include "host/data/engine.h"

#include <strings.h>

#include "host/components/property_helpers.h"
#include "host/core/exception.h"
#include "host/data/field.h"

namespace hostfw {
namespace {

std::string FieldList(const std::vector<std::string>& names) {
    std::string out;
    for (const auto& n : names)
        out += (out.empty() ? "" : ", ") + n;
    return out;
}

}  // namespace

void TClientDataSet::SetData(DataPacket packet) {
    std::vector<std::string> expected;
    for (const TField* field : Fields())
        expected.push_back(field->FieldName());
    std::vector<std::string> received;
    for (const FieldDef& def : packet.fields)
        received.push_back(def.name);
    bool same = expected.size() == received.size();
    for (size_t i = 0; same && i < expected.size(); ++i) {
        same = strcasecmp(expected[i].c_str(), received[i].c_str()) == 0;
    }
    if (!expected.empty() && !same) {
        throw Exception("Os dados recebidos não correspondem a '" + Name() +
                        "': esperados os campos " + FieldList(expected) + "; recebidos " +
                        FieldList(received) + ".");
    }
    for (const auto& row : packet.rows) {
        if (row.size() != received.size()) {
            throw Exception("Os dados recebidos para '" + Name() +
                            "' têm uma linha com número de colunas diferente do de campos.");
        }
    }
    data_ = std::move(packet);
    Open();
}

std::unique_ptr<Cursor> TClientDataSet::FetchRows(std::vector<std::string>& columns,
                                                  RowStore& rows) {
    for (const FieldDef& def : data_.fields)
        columns.push_back(def.name);
    for (const std::vector<Variant>& row : data_.rows)
        rows.AddRow(row.size(), [&](size_t c) -> const Variant& { return row[c]; });
    return nullptr;
}

const PropertyInfo* TClientDataSet::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"Aggregates", DesignProperty(PropertyType::Collection)},
        {"Params", DesignProperty(PropertyType::Collection)},
        {"Active", DesignProperty(PropertyType::Boolean)},
    };
    if (const PropertyInfo* p = Lookup(table, name))
        return p;
    return TDataSet::FindProperty(name);
}

}  // namespace hostfw
