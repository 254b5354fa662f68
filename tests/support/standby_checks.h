#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "support/shared_use_database.h"

namespace testsupport {

// The streaming standby of a shared-use test database (tests/pg/with_standby.sh) and what the
// primary has counted: a test reads where it meant to by the primary's scans of NOTAFISCAL.
class StandbyChecks {
public:
    StandbyChecks(const SharedUseDatabase& database, int standbyPort)
        : database_(database),
          standby_(std::regex_replace(database.TcpConnection(), std::regex("port=[0-9]+"),
                                      "port=" + std::to_string(standbyPort))) {}

    // The standby's connection, without user or password.
    const std::string& Connection() const { return standby_; }
    // The same database on another port, e.g. one where nothing listens.
    std::string OnPort(int port) const {
        return std::regex_replace(standby_, std::regex("port=[0-9]+"),
                                  "port=" + std::to_string(port));
    }

    // Waits until the person (and so the schema and its rows) reached the standby.
    bool CaughtUp(const std::string& login) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline) {
            try {
                const auto engine =
                    hostfw::OpenDatabase(standby_ + " user=" + login +
                                         " password=" + SharedUseDatabase::Password(login));
                engine->Query("SELECT count(*) FROM NOTAFISCAL", hostfw::TParams())->Next();
                return true;
            } catch (const std::exception&) {
                std::this_thread::sleep_for(std::chrono::milliseconds(200));
            }
        }
        return false;
    }

    // Scans of NOTAFISCAL the primary has counted. A backend reports its counts when it ends, or
    // up to seconds later while it lives: read once no backend of these logins is left.
    long long PrimaryInvoiceScans(const std::vector<std::string>& logins) const {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        for (const std::string& login : logins) {
            hostfw::TParams params;
            params.CreateParam("LOGIN").SetAsString(login);
            for (;;) {
                const auto left = database_.admin->Query(
                    "SELECT count(*) FROM pg_stat_activity WHERE usename = :LOGIN", params);
                if ((left->Next() && left->Value(0).AsInteger() == 0) ||
                    std::chrono::steady_clock::now() > deadline)
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
        }
        // A backend leaves the list of activity a moment before it reports its counts.
        std::this_thread::sleep_for(std::chrono::seconds(1));
        database_.admin->ExecuteScript("SELECT pg_stat_clear_snapshot()");
        hostfw::TParams params;
        params.CreateParam("ESQUEMA").SetAsString(database_.Schema());
        const auto rows = database_.admin->Query(
            "SELECT coalesce(seq_scan, 0) + coalesce(idx_scan, 0) FROM pg_stat_user_tables "
            "WHERE relname = 'notafiscal' AND schemaname = :ESQUEMA",
            params);
        database_.admin->ExecuteScript("SELECT pg_stat_clear_snapshot()");
        return rows->Next() ? rows->Value(0).AsInteger() : -1;
    }

private:
    const SharedUseDatabase& database_;
    std::string standby_;
};

// A test on its own shared-use schema of the primary, with the standby EXP036_PG_STANDBY_PORT
// names; skipped without one. A fixture that sets up more calls SetUp() first and returns when
// IsSkipped().
class SharedUseStandbyTest : public SharedUseTest {
protected:
    void SetUp() override {
        const char* port = std::getenv("EXP036_PG_STANDBY_PORT");
        if (port == nullptr || *port == '\0')
            GTEST_SKIP() << "EXP036_PG_STANDBY_PORT não definida: sem standby";
        SharedUseTest::SetUp();
        if (!IsSkipped())
            replica.emplace(*database, std::stoi(port));
    }

    std::optional<StandbyChecks> replica;
};

}  // namespace testsupport
