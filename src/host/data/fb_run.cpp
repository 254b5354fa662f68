#include "host/data/fb_run.h"

#include <algorithm>

#include "host/core/exception.h"
#include "host/data/fb_read_only_check.h"

namespace hostfw {
namespace {

// Segments of a BLOB are at most 64 KiB.
constexpr std::size_t kSegment = 32768;

}  // namespace

FbRun::FbRun(std::shared_ptr<FbConnection> connection, std::string_view sql, const TParams& params,
             Text text, TransactionKind own)
    : connection_(std::move(connection)) {
    if (connection_->ReadOnly())
        RefuseWritingWords(sql);
    transaction_ = connection_->OpenTransaction();
    if (transaction_ == nullptr) {
        ownTransaction_ = OwnTransaction(connection_->StartStatementTransaction(own));
        transaction_ = ownTransaction_.get();
    }
    if (text == Text::Named) {
        key_ = sql;
        prepared_ = connection_->Take(sql, transaction_);
    } else {
        prepared_ = connection_->PrepareAsWritten(sql, transaction_);
    }
    if (connection_->ReadOnly())
        RefuseWritingStatement(prepared_->type);
    // What the statement changes may be what an idle statement still holds on to.
    if (prepared_->type == isc_info_sql_stmt_ddl)
        connection_->ForgetIdleStatements();
    connection_->Run([&](fb::Status&) {
        input_ = std::make_unique<FbInputMessage>(
            *prepared_, params, [this](std::string_view blob) { return WriteBlob(blob); });
    });
}

FbRun::OwnTransaction::~OwnTransaction() {
    if (!transaction_)
        return;
    fb::Status status;
    try {
        transaction_->rollback(&status);
        transaction_.Take();
    } catch (const Firebird::FbException&) {
        // A transaction of a lost attachment is gone with it.
    }
}

void FbRun::OwnTransaction::Commit(FbConnection& connection) {
    if (!transaction_)
        return;
    connection.Run([&](fb::Status& status) { transaction_->commit(&status); });
    transaction_.Take();  // released by the commit
}

FbRun::~FbRun() {
    if (!key_.empty() && prepared_)
        connection_->GiveBack(key_, std::move(prepared_));
}

fb::Ref<Firebird::IResultSet> FbRun::OpenCursor() {
    connection_->RefuseAfterDeadline();
    return fb::Ref(connection_->Run([&](fb::Status& status) {
        return prepared_->statement->openCursor(&status, transaction_, input_->Metadata(),
                                                input_->Buffer(), prepared_->output.get(), 0);
    }));
}

void FbRun::Execute(unsigned char* output) {
    connection_->RefuseAfterDeadline();
    connection_->Run([&](fb::Status& status) {
        prepared_->statement->execute(&status, transaction_, input_->Metadata(), input_->Buffer(),
                                      prepared_->output.get(), output);
    });
}

long long FbRun::AffectedRecords() {
    return static_cast<long long>(connection_->Run(
        [&](fb::Status& status) { return prepared_->statement->getAffectedRecords(&status); }));
}

void FbRun::Finish() {
    ownTransaction_.Commit(*connection_);
}

ISC_QUAD FbRun::WriteBlob(std::string_view text) {
    ISC_QUAD id{};
    connection_->Run([&](fb::Status& status) {
        fb::Ref<Firebird::IBlob> blob(
            connection_->Attachment()->createBlob(&status, transaction_, &id, 0, nullptr));
        for (std::size_t at = 0; at < text.size(); at += kSegment) {
            const std::size_t length = std::min(kSegment, text.size() - at);
            blob->putSegment(&status, static_cast<unsigned>(length), text.data() + at);
        }
        blob->close(&status);
        blob.Take();
    });
    return id;
}

std::string FbRun::ReadBlob(ISC_QUAD id) const {
    std::string text;
    connection_->Run([&](fb::Status& status) {
        fb::Ref<Firebird::IBlob> blob(
            connection_->Attachment()->openBlob(&status, transaction_, &id, 0, nullptr));
        char buffer[kSegment];
        while (true) {
            unsigned length = 0;
            const int result = blob->getSegment(&status, sizeof buffer, buffer, &length);
            if (result == Firebird::IStatus::RESULT_NO_DATA)
                break;
            text.append(buffer, length);
        }
        blob->close(&status);
        blob.Take();
    });
    return text;
}

}  // namespace hostfw
