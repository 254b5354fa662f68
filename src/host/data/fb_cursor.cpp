#include "host/data/fb_cursor.h"

#include "host/core/exception.h"

namespace hostfw {

FbCursor::FbCursor(std::shared_ptr<FbConnection> connection, std::string_view sql,
                   const TParams& params, TransactionKind own)
    : run_(std::move(connection), sql, params, FbRun::Text::Named, own),
      layout_(run_.Prepared().output.get()),
      row_(layout_.MessageLength()) {
    if (run_.Prepared().hasCursor) {
        rows_ = run_.OpenCursor();
        // Firebird works out the rows as they are fetched: the first fetch surfaces a failure
        // of the statement (or its deadline) here, as on the other engines.
        state_ = Fetch() ? State::SingleRow : State::Done;
    } else {
        run_.Execute(row_.data());
        state_ = layout_.Names().empty() ? State::Done : State::SingleRow;
    }
    if (!run_.Autocommit())
        run_.Connection().Enlist(this);
}

FbCursor::~FbCursor() {
    try {
        Close();
    } catch (const Exception&) {
        // Only reading was left undone: nothing is lost when its transaction is not committed.
    }
}

bool FbCursor::Next() {
    onRow_ = false;
    switch (state_) {
        case State::SingleRow:
            state_ = rows_ ? State::Open : State::Done;
            onRow_ = true;
            break;
        case State::Open:
            onRow_ = Fetch();
            break;
        case State::Done:
            break;
        case State::TransactionEnded:
            throw Exception(
                "Erro no banco de dados: a transação terminou antes de a consulta ser lida");
    }
    if (!onRow_)
        Close();
    return onRow_;
}

Variant FbCursor::Value(size_t column) const {
    if (!onRow_)
        throw Exception("Erro no banco de dados: não há registro corrente");
    return layout_.Value(row_.data(), column, [this](ISC_QUAD id) { return run_.ReadBlob(id); });
}

bool FbCursor::Fetch() {
    run_.Connection().RefuseAfterDeadline();
    return run_.Connection().Run([&](fb::Status& status) {
        return rows_->fetchNext(&status, row_.data()) == Firebird::IStatus::RESULT_OK;
    });
}

void FbCursor::TransactionEnding() {
    if (rows_) {
        fb::Status status;
        try {
            rows_->close(&status);
            rows_.Take();
        } catch (const Firebird::FbException&) {
            rows_.Reset();  // the transaction takes its cursors with it
        }
    }
    state_ = State::TransactionEnded;
    onRow_ = false;
}

void FbCursor::Close() {
    if (state_ == State::TransactionEnded)
        return;
    state_ = State::Done;
    if (!run_.Autocommit())
        run_.Connection().Withdraw(this);
    if (rows_) {
        run_.Connection().Run([&](fb::Status& status) { rows_->close(&status); });
        rows_.Take();  // released by the close
    }
    run_.Finish();
}

}  // namespace hostfw
