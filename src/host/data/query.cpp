#include "host/data/query.h"

#include "host/components/property_helpers.h"
#include "host/core/exception.h"
#include "host/data/engine.h"
#include "host/data/field.h"
#include "host/data/shared_database.h"
#include "host/data/sql_parameters.h"
#include "host/data/value_order.h"
#include "host/session/session.h"

namespace hostfw {
namespace {

// Rows read at the open when the others can be read later: a screenful, many times over.
constexpr std::size_t kFirstRows = 500;

// A name as a quoted identifier: SQLite, PostgreSQL and Firebird (dialect 3) all take double
// quotes, a quote inside doubled, and match the name exactly as written.
std::string QuotedIdentifier(const std::string& name) {
    std::string quoted = "\"";
    for (const char c : name) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

}  // namespace

void TADOIBQuery::SetSQL(const std::vector<std::string>& lines) {
    Close();
    sql_ = lines;
    orderBy_.clear();
    if (!paramCheck_)
        return;
    // The statement declares its parameters, read as the session's database reads it; values
    // already set for a name stay.
    TParams fresh;
    for (const std::string& name :
         DeclaredParameters(StatementText(), EngineOf(Session().database))) {
        TParam& param = fresh.CreateParam(name);
        if (const TParam* old = params_.FindParam(name))
            param.SetAsVariant(old->Value());
    }
    params_ = std::move(fresh);
}

std::string TADOIBQuery::StatementText() const {
    std::string text;
    for (size_t i = 0; i < sql_.size(); ++i) {
        if (i > 0)
            text += "\n";
        text += sql_[i];
    }
    return text;
}

void TADOIBQuery::SetStoredParams(const std::vector<CollectionItem>& items) {
    for (const CollectionItem& item : items) {
        auto name = item.find("Name");
        if (name != item.end())
            params_.CreateParam(name->second);
    }
}

bool TADOIBQuery::ReopenOrderedBy(const TField& field, bool descending) {
    const std::string column = ColumnNameOf(field);
    if (column.empty())
        throw Exception("O campo '" + field.FieldName() + "' não está aberto em '" + Name() + "'.");
    orderBy_ = ValueOrderBy(QuotedIdentifier(column), SharedDatabase()->Kind(), descending);
    try {
        Open();
        orderBy_.clear();
        return true;
    } catch (const Exception&) {
        orderBy_.clear();
    }
    Open();
    return false;
}

std::unique_ptr<Cursor> TADOIBQuery::FetchRows(std::vector<std::string>& columns, RowStore& rows) {
    std::shared_ptr<Engine> engine = SharedDatabase();
    // The statement on lines of its own: a comment that ends its last line ends there.
    const std::string statement = orderBy_.empty() ? StatementText()
                                                   : "SELECT * FROM (\n" + StatementText() +
                                                         "\n) sorted_rows ORDER BY " + orderBy_;
    std::unique_ptr<Cursor> cursor = engine->QueryAlongside(statement, params_);
    const bool readAll = cursor == nullptr;
    if (readAll)
        cursor = engine->Query(statement, params_);
    columns = cursor->ColumnNames();
    for (std::size_t read = 0; readAll || read < kFirstRows; ++read) {
        if (!cursor->Next())
            return nullptr;
        rows.AddRow(columns.size(), [&](size_t c) { return cursor->Value(c); });
    }
    return cursor;
}

const PropertyInfo* TADOIBQuery::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"SQL.Strings", StringListProperty(&TADOIBQuery::SetSQL)},
        {"SQL_MSSQL.Strings", StringListProperty(&TADOIBQuery::SetSQL_MSSQL)},
        {"Params", CollectionProperty(&TADOIBQuery::SetStoredParams)},
        {"ParamCheck", BooleanProperty(&TADOIBQuery::SetParamCheck)},
        {"Connection", ReferenceProperty(&TADOIBQuery::SetConnectionRef)},
        {"Database", ReferenceProperty(&TADOIBQuery::SetConnectionRef)},
        {"Transaction", ReferenceProperty(&TADOIBQuery::SetTransactionRef)},
        {"Active", DesignProperty(PropertyType::Boolean)},
        {"CursorLocation", DesignProperty(PropertyType::Identifier)},
        {"CursorType", DesignProperty(PropertyType::Identifier)},
        {"LockType", DesignProperty(PropertyType::Identifier)},
        {"CacheSize", DesignProperty(PropertyType::Integer)},
        {"MaxRecords", DesignProperty(PropertyType::Integer)},
        {"Prepared", DesignProperty(PropertyType::Boolean)},
        {"CachedUpdates", DesignProperty(PropertyType::Boolean)},
    };
    if (const PropertyInfo* p = Lookup(table, name))
        return p;
    return TDataSet::FindProperty(name);
}

}  // namespace hostfw
