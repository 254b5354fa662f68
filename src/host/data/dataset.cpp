#include "host/data/dataset.h"

#include <strings.h>

#include <algorithm>

#include "host/core/exception.h"
#include "host/data/engine.h"
#include "host/data/field.h"

namespace hostfw {
namespace {

// Rows read at a time when moving on past the last row read.
constexpr std::size_t kReadAhead = 500;

}  // namespace

TDataSet::~TDataSet() {
    for (TField* field : fields_)
        field->DetachFromDataSet();
}

void TDataSet::Open() {
    // The old rows go first, so a reopened query never holds two copies.
    Close();
    std::vector<std::string> columns;
    RowStore rows;
    std::unique_ptr<Cursor> rest = FetchRows(columns, rows);
    BindColumns(columns);
    columns_ = std::move(columns);
    rows_ = std::move(rows);
    rest_ = std::move(rest);
    active_ = true;
    First();
}

void TDataSet::Close() {
    active_ = false;
    rest_.reset();
    rows_.Clear();
    current_ = -1;
}

void TDataSet::BindColumns(const std::vector<std::string>& columns) {
    columnOfField_.assign(fields_.size(), -1);
    for (size_t f = 0; f < fields_.size(); ++f) {
        const std::string& wanted = fields_[f]->FieldName();
        for (size_t c = 0; c < columns.size(); ++c) {
            if (strcasecmp(columns[c].c_str(), wanted.c_str()) == 0) {
                columnOfField_[f] = static_cast<int>(c);
                break;
            }
        }
        if (columnOfField_[f] < 0) {
            throw Exception("Campo '" + wanted + "' não encontrado no resultado de '" + Name() +
                            "'.");
        }
    }
}

int TDataSet::RecordCount() const {
    while (rest_ != nullptr)
        ReadMoreRows(kReadAhead);
    return static_cast<int>(rows_.RowCount());
}

std::size_t TDataSet::ReadMoreRows(std::size_t count) const {
    std::size_t read = 0;
    try {
        const std::size_t columns = columns_.size();
        while (rest_ != nullptr && read < count) {
            if (!rest_->Next()) {
                rest_.reset();
                break;
            }
            rows_.AddRow(columns, [&](size_t c) { return rest_->Value(c); });
            ++read;
        }
    } catch (...) {
        // A cursor that failed reads nothing more; the rows read so far stay.
        rest_.reset();
        throw;
    }
    return read;
}

void TDataSet::SetRecNo(int row) {
    if (row >= 0 && static_cast<std::size_t>(row) >= rows_.RowCount())
        ReadMoreRows(static_cast<std::size_t>(row) + 1 - rows_.RowCount());
    if (row < 0 || row >= static_cast<int>(rows_.RowCount())) {
        throw Exception("Registro " + std::to_string(row) + " fora de '" + Name() + "'.");
    }
    current_ = row;
}

void TDataSet::Next() {
    const auto read = static_cast<int>(rows_.RowCount());
    if (current_ < 0 || current_ >= read)
        return;
    ++current_;
    if (current_ == read)
        ReadMoreRows(kReadAhead);
}

TField* TDataSet::FindField(const std::string& fieldName) const {
    for (TField* field : fields_) {
        if (strcasecmp(field->FieldName().c_str(), fieldName.c_str()) == 0)
            return field;
    }
    return nullptr;
}

TField& TDataSet::FieldByName(const std::string& fieldName) const {
    if (TField* field = FindField(fieldName))
        return *field;
    throw Exception("Campo '" + fieldName + "' não encontrado em '" + Name() + "'.");
}

int TDataSet::ColumnOf(const TField& field) const {
    const auto it = std::find(fields_.begin(), fields_.end(), &field);
    if (it == fields_.end() || columnOfField_.size() != fields_.size())
        return -1;
    return columnOfField_[static_cast<size_t>(it - fields_.begin())];
}

Variant TDataSet::FieldValue(const TField& field) const {
    const int column = ColumnOf(field);
    if (Eof() || column < 0)
        return Variant::Null();
    return rows_.Value(static_cast<size_t>(current_), static_cast<size_t>(column));
}

std::string TDataSet::ColumnNameOf(const TField& field) const {
    const int column = ColumnOf(field);
    if (!active_ || column < 0)
        return {};
    return columns_.at(static_cast<size_t>(column));
}

void TDataSet::AddField(TField* field) {
    fields_.push_back(field);
    Close();  // the field layout changed: columns are bound again on the next open
}

void TDataSet::RemoveField(TField* field) {
    fields_.erase(std::remove(fields_.begin(), fields_.end(), field), fields_.end());
    Close();
}

}  // namespace hostfw
