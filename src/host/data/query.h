#pragma once

#include <string>
#include <vector>

#include "host/data/dataset.h"
#include "host/data/params.h"
#include "hostfw_export.h"

namespace hostfw {

// A query over the session's shared database. `SQL` serves every engine; `SQL_MSSQL` is the
// statement for the SQL Server engine alone, which this host does not run, so it is kept
// but never executed. Parameters are named ":P_NAME" and always bound, never spliced.
class HOSTFW_EXPORT TADOIBQuery : public TDataSet {
public:
    using TDataSet::TDataSet;
    std::string ClassName() const override { return "TADOIBQuery"; }

    const std::vector<std::string>& SQL() const { return sql_; }
    void SetSQL(const std::vector<std::string>& lines);
    const std::vector<std::string>& SQL_MSSQL() const { return sqlMssql_; }
    void SetSQL_MSSQL(const std::vector<std::string>& lines) { sqlMssql_ = lines; }
    // The statement run on this host's engines: the SQL lines joined with line breaks.
    std::string StatementText() const;

    TParams& Params() { return params_; }
    TParam& ParamByName(const std::string& name) { return params_.ParamByName(name); }
    // The shared database module's connection the definition names.
    TComponent* Connection() const { return connection_; }
    bool ParamCheck() const { return paramCheck_; }
    void SetParamCheck(bool value) { paramCheck_ = value; }

    const PropertyInfo* FindProperty(std::string_view name) const override;

    // Reads the rows again in the order of a field of the open query, sorted by the database
    // (by its column's type there): the statement runs wrapped as SELECT * FROM (statement)
    // ORDER BY the field's result column, quoted, never a text from elsewhere. Only this open is
    // ordered; the next Open runs the statement as written. When the database refuses the
    // wrapped statement the query is opened as written and this returns false.
    bool ReopenOrderedBy(const TField& field, bool descending);

protected:
    // Where the engine can keep a cursor open beside other statements, the first rows only:
    // a query of a million rows is shown before it is all read.
    std::unique_ptr<Cursor> FetchRows(std::vector<std::string>& columns, RowStore& rows) override;

private:
    void SetStoredParams(const std::vector<CollectionItem>& items);
    void SetConnectionRef(TComponent* component) { connection_ = component; }
    // Every statement here reads in autocommit mode; the reference is only checked.
    void SetTransactionRef(TComponent* /*component*/) {}

    std::vector<std::string> sql_;
    std::vector<std::string> sqlMssql_;
    TParams params_;
    bool paramCheck_ = true;
    TComponent* connection_ = nullptr;
    std::string orderBy_;  // the ORDER BY of the open under way; "" for the statement's own
};

}  // namespace hostfw
