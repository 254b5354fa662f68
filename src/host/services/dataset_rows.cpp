#include "host/services/dataset_rows.h"

#include <strings.h>

#include "host/data/dataset.h"
#include "host/data/field.h"
#include "host/data/query.h"

namespace hostfw {
namespace {

std::string TrimBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Makes a row current for one read and puts the dataset's own current row back.
class RowVisit {
public:
    RowVisit(TDataSet& dataSet, std::size_t row) : dataSet_(dataSet), saved_(dataSet.RecNo()) {
        dataSet_.SetRecNo(static_cast<int>(row));
    }
    ~RowVisit() {
        if (saved_ >= 0 && static_cast<std::size_t>(saved_) < dataSet_.RowsRead())
            dataSet_.SetRecNo(saved_);
    }
    RowVisit(const RowVisit&) = delete;
    RowVisit& operator=(const RowVisit&) = delete;

private:
    TDataSet& dataSet_;
    int saved_;
};

// The field a list's dataset keeps each row's mark in ("S" or "N"): the picker shows the marks
// as its own column of boxes, never as text.
bool IsMarkField(const TField& field) {
    return strcasecmp(field.FieldName().c_str(), "IDMARCADO") == 0;
}

}  // namespace

DataSetRows::DataSetRows(TDataSet& dataSet, const std::string& keyField) : dataSet_(dataSet) {
    for (TField* field : dataSet.Fields()) {
        if (!field->Visible() || IsMarkField(*field))
            continue;
        shown_.push_back(field);
        columns_.push_back({field->DisplayLabel(), field->DisplayWidth()});
    }
    if (!keyField.empty())
        key_ = &dataSet.FieldByName(keyField);
}

std::size_t DataSetRows::RowCount() const {
    return static_cast<std::size_t>(dataSet_.RecordCount());
}

std::size_t DataSetRows::KnownRowCount() const {
    return dataSet_.RowsRead();
}

bool DataSetRows::AllRowsKnown() const {
    return dataSet_.AllRowsRead();
}

std::size_t DataSetRows::ReadMoreRows(std::size_t count) const {
    return dataSet_.ReadMoreRows(count);
}

std::string DataSetRows::Cell(std::size_t row, std::size_t column) const {
    const RowVisit visit(dataSet_, row);
    return shown_.at(column)->DisplayText();
}

void DataSetRows::AppendSearchText(std::size_t row, std::string& out) const {
    const RowVisit visit(dataSet_, row);
    if (key_ != nullptr)
        out += TrimBlanks(key_->AsString());
    out += '\n';
    for (const TField* field : shown_) {
        out += field->DisplayText();
        out += '\n';
    }
}

bool DataSetRows::Reorders() const {
    return dynamic_cast<const TADOIBQuery*>(&dataSet_) != nullptr;
}

bool DataSetRows::Reorder(std::optional<std::size_t> column, bool descending) const {
    auto* query = dynamic_cast<TADOIBQuery*>(&dataSet_);
    if (query == nullptr)
        return false;
    if (!column) {
        query->Open();
        return true;
    }
    return query->ReopenOrderedBy(*shown_.at(*column), descending);
}

std::string DataSetRows::Key(std::size_t row) const {
    if (key_ == nullptr)
        return {};
    const RowVisit visit(dataSet_, row);
    return TrimBlanks(key_->AsString());
}

}  // namespace hostfw
