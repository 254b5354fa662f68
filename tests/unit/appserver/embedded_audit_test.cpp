// The embedded default audits every call in the SQLite file, in the name of the system login
// that runs the server, as the host does its report runs.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "host/data/audit_trail.h"
#include "host/data/engine.h"
#include "invoice_database.h"
#include "queued_audit.h"
#include "support/raw_http.h"
#include "support/server_process.h"

namespace servertest {
namespace {

constexpr const char* kObject = "/exp03600.rdmRelConsLanc";
// 01/01/2025 to 28/02/2025 as automation dates: six invoices of branch 0001.
constexpr double kFirstDay = 45658;
constexpr double kLastDay = 45716;

class EmbeddedAudit : public ::testing::Test {
protected:
    HttpReply Send(const std::string& method, const std::string& path, const std::string& body) {
        RawConnection connection(server->Host(), server->Port());
        connection.Send(HttpRequest(method, path, body, false));
        return connection.ReadReply().value_or(HttpReply{});
    }

    // PESSOA|ORIGEM|EVENTO|OBJETO|PARAMETROS|LINHAS|RESULTADO of every row, oldest first.
    std::vector<std::string> AuditRows() const {
        const auto rows = hostfw::OpenDatabase(database.Path())
                              ->Query(
                                  "SELECT PESSOA, ORIGEM, EVENTO, OBJETO, PARAMETROS, "
                                  "coalesce(LINHAS, -1), RESULTADO, DURACAO_MS IS NOT NULL "
                                  "FROM AUDITORIA ORDER BY rowid",
                                  {});
        std::vector<std::string> seen;
        while (rows->Next()) {
            std::string row;
            for (int column = 0; column < 7; ++column)
                row += rows->Value(column).AsString() + "|";
            EXPECT_EQ(rows->Value(7).AsInteger(), 1) << "every call has its duration: " << row;
            seen.push_back(row);
        }
        return seen;
    }

    SqliteInvoiceDatabase database;
    std::optional<ServerProcess> server;
};

TEST_F(EmbeddedAudit, EveryCallIsAuditedUnderTheSystemLoginAndDescriptionsAreNot) {
    server.emplace(std::vector<std::string>{"--db", database.Path()});
    const std::string body = GetNotaBody("0001", kFirstDay, kLastDay);
    ASSERT_EQ(Send("POST", std::string(kObject) + "/GetNota", body).status, 200);
    ASSERT_EQ(Send("GET", kObject, "").status, 200);
    const HttpReply unknown = Send("POST", std::string(kObject) + "/Apagar", "{\"version\":1}");
    ASSERT_EQ(unknown.status, 404) << unknown.body;
    // The rows are written behind the calls, and all of them before the server ends.
    ASSERT_EQ(server->Stop(SIGTERM), 0);

    const std::vector<std::string> rows = AuditRows();
    ASSERT_EQ(rows.size(), 2u);
    const std::string login = getpwuid(geteuid())->pw_name;
    EXPECT_EQ(rows[0],
              login + "|127.0.0.1|chamada|exp03600.rdmRelConsLanc/GetNota|" + body + "|6|ok|");
    EXPECT_EQ(rows[1].rfind(login + "|127.0.0.1|chamada|exp03600.rdmRelConsLanc/Apagar|", 0), 0u)
        << rows[1];
    EXPECT_EQ(rows[1].find("|ok|"), std::string::npos) << "the refusal, not ok: " << rows[1];
}

// A file made before the audit existed: the person's own file, so the calls still answer, and
// the server's log says what went unrecorded.
TEST_F(EmbeddedAudit, WithoutTheAuditTableCallsAnswerAndTheLogSaysTheyWereNotRecorded) {
    hostfw::OpenDatabase(database.Path())->ExecuteScript("DROP TABLE AUDITORIA");
    server.emplace(std::vector<std::string>{"--db", database.Path()});
    const HttpReply reply =
        Send("POST", std::string(kObject) + "/GetNota", GetNotaBody("0001", kFirstDay, kLastDay));
    EXPECT_EQ(reply.status, 200) << reply.body;
    EXPECT_NE(reply.body.find("\"1004\""), std::string::npos) << reply.body;
    ASSERT_EQ(server->Stop(SIGTERM), 0);
    EXPECT_NE(server->Log().find("1 chamada(s) não registrada(s) na auditoria"), std::string::npos)
        << server->Log();
}

// A long query must not make the audit's writer lose rows, nor hold it at a commit where it would
// keep every other reader out (SQLite's rollback journal): the writer waits briefly, lets go,
// and writes the rows once the query is over.
TEST(QueuedAudit, ALongReaderLosesNoRowsAndTheWriterWaitsForItWithoutHoldingOthers) {
    const SqliteInvoiceDatabase database;
    const auto reader = hostfw::OpenDatabase(database.Path());
    reader->BeginTransaction();
    reader->Query("SELECT count(*) FROM NOTAFISCAL", {})->Next();  // its read lock stays
    std::mutex mutex;
    std::vector<std::string> warnings;
    {
        appserver::QueuedAudit audit(database.Path(), [&](const std::string& warning) {
            const std::lock_guard lock(mutex);
            warnings.push_back(warning);
        });
        audit.Add({"maria", "127.0.0.1", hostfw::kAuditCall, "x/GetNota", "", 1, 1, "", "ok"});
        // Longer than the 5 s a writer used to wait at its commit before it gave the rows up.
        std::this_thread::sleep_for(std::chrono::seconds(6));
        // Meanwhile another reader is let in: the writer is not holding the file.
        const auto other = hostfw::OpenDatabase(database.Path());
        EXPECT_EQ(other->Query("SELECT count(*) FROM FILIAL", {})->Next(), true);
        reader->Rollback();
    }
    EXPECT_EQ(warnings, std::vector<std::string>{});
    const auto rows = hostfw::OpenDatabase(database.Path())
                          ->Query("SELECT count(*) FROM AUDITORIA WHERE PESSOA = 'maria'", {});
    ASSERT_TRUE(rows->Next());
    EXPECT_EQ(rows->Value(0).AsInteger(), 1);
}

// Reads that overlap without a gap, each longer than the writer's first wait, kept the rows out
// until they were given up: the writer must wait longer at each try until it gets through.
TEST(QueuedAudit, ReadsThatNeverLeaveAGapAreOutwaitedAndNoRowIsGivenUp) {
    const SqliteInvoiceDatabase database;
    std::atomic<bool> reading = true;
    std::atomic<int> readFailures = 0;
    const auto readLoop = [&](std::chrono::milliseconds offset) {
        try {
            const auto reader = hostfw::OpenDatabase(database.Path());
            std::this_thread::sleep_for(offset);
            while (reading) {
                reader->BeginTransaction();
                reader->Query("SELECT count(*) FROM NOTAFISCAL", {})->Next();  // holds its lock
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
                reader->Rollback();
            }
        } catch (const std::exception&) {
            ++readFailures;
        }
    };
    std::mutex mutex;
    std::vector<std::string> warnings;
    {
        std::thread first(readLoop, std::chrono::milliseconds(0));
        std::thread second(readLoop, std::chrono::milliseconds(150));
        appserver::QueuedAudit audit(
            database.Path(),
            [&](const std::string& warning) {
                const std::lock_guard lock(mutex);
                warnings.push_back(warning);
            },
            std::chrono::seconds(4));
        audit.Add({"maria", "127.0.0.1", hostfw::kAuditCall, "x/GetNota", "", 1, 1, "", "ok"});
        std::this_thread::sleep_for(std::chrono::seconds(5));  // past the give-up time
        reading = false;
        first.join();
        second.join();
    }
    EXPECT_EQ(readFailures, 0);
    EXPECT_EQ(warnings, std::vector<std::string>{});
    const auto rows = hostfw::OpenDatabase(database.Path())
                          ->Query("SELECT count(*) FROM AUDITORIA WHERE PESSOA = 'maria'", {});
    ASSERT_TRUE(rows->Next());
    EXPECT_EQ(rows->Value(0).AsInteger(), 1);
}

}  // namespace
}  // namespace servertest
