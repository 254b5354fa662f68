#include "host/data/pg_cursor.h"

#include <charconv>

#include "host/core/exception.h"

namespace hostfw {
namespace {

// Type oids of the built-in types that do not read back as text.
constexpr Oid kBool = 16;
constexpr Oid kInt8 = 20;
constexpr Oid kInt2 = 21;
constexpr Oid kInt4 = 23;
constexpr Oid kOid = 26;
constexpr Oid kFloat4 = 700;
constexpr Oid kFloat8 = 701;
constexpr Oid kNumeric = 1700;

template <typename Number>
Variant NumberOrText(std::string_view text) {
    Number number{};
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size())
        return Variant(std::string(text));
    return Variant(number);
}

Variant FieldValue(const PGresult* result, int row, int column, Oid type) {
    if (PQgetisnull(result, row, column))
        return Variant::Null();
    const std::string_view text(PQgetvalue(result, row, column),
                                static_cast<size_t>(PQgetlength(result, row, column)));
    switch (type) {
        case kBool:
            return Variant(static_cast<std::int64_t>(text == "t" ? 1 : 0));
        case kInt2:
        case kInt4:
        case kInt8:
        case kOid:
            return NumberOrText<std::int64_t>(text);
        case kFloat4:
        case kFloat8:
        case kNumeric:
            return NumberOrText<double>(text);
        default:
            return Variant(std::string(text));
    }
}

bool HoldsRows(const PGresult* result) {
    const ExecStatusType status = PQresultStatus(result);
    return status == PGRES_SINGLE_TUPLE || status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK;
}

}  // namespace

PgCursor::PgCursor(std::shared_ptr<PgConnection> connection, std::string_view sql,
                   const TParams& params)
    : connection_(std::move(connection)) {
    connection_->StartRows(sql, params, *this);
    Accept(Pull());
    for (int column = 0; current_ && column < PQnfields(current_.get()); ++column) {
        columnNames_.emplace_back(PQfname(current_.get(), column));
        columnTypes_.push_back(PQftype(current_.get(), column));
    }
}

PgCursor::~PgCursor() {
    // The connection takes nothing else until this statement's results are all read.
    while (receiving_)
        Receive();
}

bool PgCursor::Next() {
    ++row_;
    while (current_ && row_ >= PQntuples(current_.get())) {
        Accept(Pull());
        row_ = 0;
    }
    return current_ != nullptr;
}

Variant PgCursor::Value(size_t column) const {
    if (!current_ || row_ < 0)
        throw Exception("Erro no banco de dados: não há registro corrente");
    if (column >= columnNames_.size()) {
        throw Exception("Erro no banco de dados: coluna " + std::to_string(column) +
                        " inexistente");
    }
    return FieldValue(current_.get(), row_, static_cast<int>(column), columnTypes_[column]);
}

void PgCursor::BufferRemainingRows() {
    while (receiving_) {
        if (PgResult result = Receive())
            buffered_.push_back(std::move(result));
    }
}

PgResult PgCursor::Receive() {
    PgResult result = connection_->NextResult();
    if (!result)
        receiving_ = false;
    return result;
}

PgResult PgCursor::Pull() {
    if (!buffered_.empty()) {
        PgResult result = std::move(buffered_.front());
        buffered_.pop_front();
        return result;
    }
    return receiving_ ? Receive() : nullptr;
}

void PgCursor::Accept(PgResult result) {
    if (result && !HoldsRows(result.get())) {
        while (Pull()) {
        }
        current_.reset();
        connection_->Fail(result.get());
    }
    current_ = std::move(result);
}

}  // namespace hostfw
