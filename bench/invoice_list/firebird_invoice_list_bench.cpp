// The invoice list on a Firebird server end to end against its floor: the statement the server
// runs on Firebird, prepared once, its rows read with Firebird's client library (its object
// interface) into strings and nothing else, for replies of about 1,000, 10,000 and 100,000
// invoices.
// Usage: firebird_invoice_list_bench HOST/PORT:/PATH/DEMO.fdb [benchmark options]
// The login comes from ISC_USER and ISC_PASSWORD.

#include <benchmark/benchmark.h>
#include <firebird/Interface.h>

#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "host/data/engine.h"
#include "host/data/sql_parameters.h"
#include "invoice_list_run.h"
#include "nota_fiscal_query.h"

namespace {

using Range = benchsupport::DayRange;
using Firebird::FbException;
using Firebird::IMessageMetadata;

Firebird::IMaster* Master() {
    static Firebird::IMaster* master = Firebird::fb_get_master_interface();
    return master;
}

std::string Failure(const FbException& failure) {
    char text[1024];
    Master()->getUtilInterface()->formatStatus(text, sizeof text, failure.getStatus());
    return text;
}

// The statement's parameters, all text, as the server binds them.
class Input {
public:
    Input(Firebird::ThrowStatusWrapper& status, const std::vector<std::string>& values) {
        Firebird::IMetadataBuilder* builder =
            Master()->getMetadataBuilder(&status, static_cast<unsigned>(values.size()));
        for (unsigned i = 0; i < values.size(); ++i) {
            builder->setType(&status, i, SQL_VARYING);
            builder->setLength(&status, i, static_cast<unsigned>(values[i].size()));
            builder->setCharSet(&status, i, 4);  // UTF8
        }
        metadata_ = builder->getMetadata(&status);
        builder->release();
        buffer_.assign(metadata_->getMessageLength(&status), 0);
        for (unsigned i = 0; i < values.size(); ++i) {
            unsigned char* at = buffer_.data() + metadata_->getOffset(&status, i);
            const auto length = static_cast<ISC_USHORT>(values[i].size());
            std::memcpy(at, &length, sizeof length);
            std::memcpy(at + sizeof length, values[i].data(), values[i].size());
        }
    }
    ~Input() { metadata_->release(); }
    Input(const Input&) = delete;
    Input& operator=(const Input&) = delete;

    IMessageMetadata* Metadata() const { return metadata_; }
    unsigned char* Buffer() { return buffer_.data(); }

private:
    IMessageMetadata* metadata_ = nullptr;
    std::vector<unsigned char> buffer_;
};

// A text column of the row, VARCHAR or CHAR, as it came.
std::string Text(const unsigned char* row, IMessageMetadata* output,
                 Firebird::ThrowStatusWrapper& status, unsigned column) {
    const unsigned char* at = row + output->getOffset(&status, column);
    if (output->getType(&status, column) == SQL_VARYING) {
        ISC_USHORT length = 0;
        std::memcpy(&length, at, sizeof length);
        return std::string(reinterpret_cast<const char*>(at + sizeof length), length);
    }
    return std::string(reinterpret_cast<const char*>(at), output->getLength(&status, column));
}

void DirectQuery(benchmark::State& state, Firebird::IAttachment* attachment, const Range& range) {
    const appserver::BoundQuery query = appserver::NotaFiscalQuery(
        benchsupport::InvoiceListRequest(range), hostfw::EngineKind::Firebird);
    const hostfw::PositionalStatement positional = hostfw::PositionalParameters(query.sql);
    std::vector<std::string> values;
    for (const std::string& name : positional.names)
        values.push_back(query.params.ParamByName(name).AsString());
    Firebird::ThrowStatusWrapper status(Master()->getStatus());
    try {
        Firebird::ITransaction* preparing = attachment->startTransaction(&status, 0, nullptr);
        Firebird::IStatement* statement =
            attachment->prepare(&status, preparing, 0, positional.text.c_str(), SQL_DIALECT_V6,
                                Firebird::IStatement::PREPARE_PREFETCH_METADATA);
        preparing->commit(&status);
        Input input(status, values);
        IMessageMetadata* output = statement->getOutputMetadata(&status);
        std::vector<unsigned char> row(output->getMessageLength(&status));
        const unsigned columns = output->getCount(&status);
        const unsigned char tpb[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed,
                                     isc_tpb_rec_version};
        for (auto _ : state) {
            std::vector<std::vector<std::string>> rows;
            Firebird::ITransaction* transaction =
                attachment->startTransaction(&status, sizeof tpb, tpb);
            Firebird::IResultSet* cursor = statement->openCursor(
                &status, transaction, input.Metadata(), input.Buffer(), output, 0);
            while (cursor->fetchNext(&status, row.data()) == Firebird::IStatus::RESULT_OK) {
                std::vector<std::string>& strings = rows.emplace_back();
                for (unsigned column = 0; column < columns; ++column)
                    strings.push_back(Text(row.data(), output, status, column));
            }
            cursor->close(&status);
            transaction->commit(&status);
            if (static_cast<long long>(rows.size()) != range.rows)
                state.SkipWithError("unexpected row count");
            benchmark::DoNotOptimize(rows);
        }
        output->release();
        statement->free(&status);
    } catch (const FbException& failure) {
        state.SkipWithError(Failure(failure).c_str());
    }
    status.dispose();
    state.counters["rows"] = static_cast<double>(range.rows);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (argc != 2) {
        std::cerr << "usage: firebird_invoice_list_bench HOST/PORT:/PATH/DEMO.fdb "
                     "[benchmark options]\n";
        return 2;
    }
    const std::string database = argv[1];
    Firebird::ThrowStatusWrapper status(Master()->getStatus());
    Firebird::IAttachment* attachment = nullptr;
    try {
        Firebird::IXpbBuilder* dpb = Master()->getUtilInterface()->getXpbBuilder(
            &status, Firebird::IXpbBuilder::DPB, nullptr, 0);
        dpb->insertString(&status, isc_dpb_lc_ctype, "UTF8");
        attachment = Master()->getDispatcher()->attachDatabase(
            &status, database.c_str(), dpb->getBufferLength(&status), dpb->getBuffer(&status));
        dpb->dispose();
    } catch (const FbException& failure) {
        std::cerr << "cannot open " << database << ": " << Failure(failure) << "\n";
        return 1;
    }
    const int result = benchsupport::RunInvoiceListBench(
        database, [attachment](benchmark::State& state, const Range& range) {
            DirectQuery(state, attachment, range);
        });
    attachment->detach(&status);
    status.dispose();
    return result;
}
