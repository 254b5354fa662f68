#include "host/data/sqlite_statement.h"

#include <climits>

#include "host/core/exception.h"
#include "host/data/sql_value_text.h"

namespace hostfw {
namespace {

int CheckedLength(const std::string& text) {
    if (text.size() > static_cast<size_t>(INT_MAX)) {
        throw Exception("Erro no banco de dados: valor de parâmetro muito longo");
    }
    return static_cast<int>(text.size());
}

}  // namespace

SqliteStatement::SqliteStatement(std::shared_ptr<SqliteConnection> connection, std::string_view sql)
    : connection_(std::move(connection)), sql_(sql), statement_(connection_->Take(sql)) {}

SqliteStatement::~SqliteStatement() {
    sqlite3_reset(statement_.get());
    sqlite3_clear_bindings(statement_.get());
    connection_->GiveBack(sql_, std::move(statement_));
}

void SqliteStatement::Bind(const TParams& params) {
    // Walking the statement's own parameters covers a name written twice (one index) and a
    // name written in two letter cases (two indexes) alike.
    const int count = sqlite3_bind_parameter_count(statement_.get());
    for (int index = 1; index <= count; ++index) {
        const char* name = sqlite3_bind_parameter_name(statement_.get(), index);
        // "?", "?1", "@x" and "$x" would be left NULL or mean something else on PostgreSQL.
        if (name == nullptr || name[0] != ':') {
            throw Exception(
                "Erro no banco de dados: use parâmetros nomeados (:NOME) no comando SQL");
        }
        const TParam* param = params.FindParam(name + 1);  // past the ':'
        BindValue(index, param != nullptr ? param->Value() : Variant());
    }
}

void SqliteStatement::BindValue(int index, const Variant& value) {
    sqlite3_stmt* statement = statement_.get();
    int rc = SQLITE_OK;
    switch (value.kind()) {
        case Variant::Kind::Empty:
        case Variant::Kind::Null:
            rc = sqlite3_bind_null(statement, index);
            break;
        case Variant::Kind::Integer:
            rc = sqlite3_bind_int64(statement, index, value.AsInteger());
            break;
        case Variant::Kind::Float:
            rc = sqlite3_bind_double(statement, index, value.AsFloat());
            break;
        case Variant::Kind::Boolean:
            rc = sqlite3_bind_int(statement, index, value.AsBoolean() ? 1 : 0);
            break;
        case Variant::Kind::String:
        case Variant::Kind::Date: {
            // std::string::data() is never null, so an empty text binds as '' and not NULL.
            const std::string text = value.kind() == Variant::Kind::Date
                                         ? SqlDateTimeText(value.AsDate())
                                         : value.AsString();
            rc = sqlite3_bind_text(statement, index, text.data(), CheckedLength(text),
                                   SQLITE_TRANSIENT);
            break;
        }
    }
    if (rc != SQLITE_OK)
        connection_->Fail();
}

bool SqliteStatement::Step() {
    if (done_)
        return false;
    const int rc = sqlite3_step(statement_.get());
    if (rc == SQLITE_ROW)
        return true;
    done_ = true;
    if (rc != SQLITE_DONE)
        connection_->Fail();
    return false;
}

std::string SqliteStatement::ColumnName(int column) const {
    const char* name = sqlite3_column_name(statement_.get(), column);
    return name != nullptr ? name : "";
}

Variant SqliteStatement::ColumnValue(int column) const {
    sqlite3_stmt* statement = statement_.get();
    switch (sqlite3_column_type(statement, column)) {
        case SQLITE_INTEGER:
            return Variant(static_cast<std::int64_t>(sqlite3_column_int64(statement, column)));
        case SQLITE_FLOAT:
            return Variant(sqlite3_column_double(statement, column));
        case SQLITE_NULL:
            return Variant::Null();
        case SQLITE_BLOB: {
            const auto* bytes = static_cast<const char*>(sqlite3_column_blob(statement, column));
            const int size = sqlite3_column_bytes(statement, column);
            return Variant(bytes != nullptr ? std::string(bytes, static_cast<size_t>(size)) : "");
        }
        default: {
            const auto* text =
                reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
            const int size = sqlite3_column_bytes(statement, column);
            return Variant(text != nullptr ? std::string(text, static_cast<size_t>(size)) : "");
        }
    }
}

}  // namespace hostfw
