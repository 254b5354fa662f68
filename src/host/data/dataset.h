#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "host/components/component.h"
#include "host/core/variant.h"
#include "host/data/engine.h"
#include "host/data/row_store.h"
#include "hostfw_export.h"

namespace hostfw {

class TField;

// Rows held in memory, a current row, and the fields that read it. A dataset may open with its
// first rows only and read the others as they are asked for: moving on, counting or going to a
// row reads what it needs, so a caller sees every row as if all were read at the open.
class HOSTFW_EXPORT TDataSet : public TComponent {
public:
    using TComponent::TComponent;
    ~TDataSet() override;

    bool Active() const { return active_; }
    void Open();
    void Close();
    bool IsEmpty() const { return rows_.RowCount() == 0; }
    // Reads every row left to read.
    int RecordCount() const;
    // The rows read so far, and whether others are left to read.
    std::size_t RowsRead() const { return rows_.RowCount(); }
    bool AllRowsRead() const { return rest_ == nullptr; }
    // Reads up to `count` more rows; returns how many there were.
    std::size_t ReadMoreRows(std::size_t count) const;

    // Current row, 0-based; -1 when there is none.
    int RecNo() const { return current_; }
    void SetRecNo(int row);
    void First() { current_ = IsEmpty() ? -1 : 0; }
    void Next();
    bool Eof() const { return current_ < 0 || current_ >= static_cast<int>(rows_.RowCount()); }

    const std::vector<TField*>& Fields() const { return fields_; }
    TField* FindField(const std::string& fieldName) const;
    // Raises a clear error naming the dataset when there is no such field.
    TField& FieldByName(const std::string& fieldName) const;

    // The value of a field in the current row.
    Variant FieldValue(const TField& field) const;
    // The name of the result column a field of the open dataset reads, as the database wrote it
    // (PostgreSQL folds unquoted names to lower case, Firebird to upper case); "" when closed.
    std::string ColumnNameOf(const TField& field) const;

protected:
    // Reads the rows afresh, or the first of them; the column names come with them. Returns the
    // cursor of the rows left to read, nullptr when all are read.
    virtual std::unique_ptr<Cursor> FetchRows(std::vector<std::string>& columns,
                                              RowStore& rows) = 0;

private:
    friend class TField;
    void AddField(TField* field);
    void RemoveField(TField* field);
    void BindColumns(const std::vector<std::string>& columns);
    // The column a field reads; -1 when it reads none.
    int ColumnOf(const TField& field) const;

    bool active_ = false;
    std::vector<TField*> fields_;
    std::vector<int> columnOfField_;    // per field, its column in the rows
    std::vector<std::string> columns_;  // the result's column names
    // Read as they are asked for, from a const reader too: the rows are the same either way.
    mutable RowStore rows_;
    mutable std::unique_ptr<Cursor> rest_;
    int current_ = -1;
};

}  // namespace hostfw
