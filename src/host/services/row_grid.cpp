#include "host/services/row_grid.h"

#include "host/data/dataset.h"
#include "host/data/field.h"

namespace hostfw {
namespace {

std::string TrimBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

RowGrid BuildRowGrid(TDataSet& dataSet, const std::string& keyField,
                     std::vector<std::string>& keys) {
    RowGrid grid;
    std::vector<TField*> shown;
    for (TField* field : dataSet.Fields()) {
        if (!field->Visible())
            continue;
        shown.push_back(field);
        grid.columns.push_back({field->DisplayLabel(), field->DisplayWidth()});
    }
    TField* key = keyField.empty() ? nullptr : &dataSet.FieldByName(keyField);
    const int current = dataSet.RecNo();
    keys.clear();
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next()) {
        std::vector<std::string> cells;
        cells.reserve(shown.size());
        for (TField* field : shown)
            cells.push_back(field->DisplayText());
        grid.rows.push_back(std::move(cells));
        keys.push_back(key != nullptr ? TrimBlanks(key->AsString()) : std::string());
    }
    if (current >= 0 && current < dataSet.RecordCount())
        dataSet.SetRecNo(current);
    return grid;
}

}  // namespace hostfw
