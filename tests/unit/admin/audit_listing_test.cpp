// The audit listing of the embedded default: a SQLite file keeps the moment as text, which the
// filters compare with as such.
#include "audit_listing.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "host/data/audit_trail.h"
#include "host/data/engine.h"

namespace {

namespace fs = std::filesystem;

class SqliteAuditListing : public ::testing::Test {
protected:
    SqliteAuditListing() {
        fs::remove(file);
        database = hostfw::OpenDatabase(file.string(), true);
        hostfw::CreateAuditTable(*database);
        Add("2026-01-30 23:59:59", "ana", "EXP036-1 janeiro");
        Add("2026-01-31 00:00:00", "maria", "EXP036-1 virada");
        Add("2026-02-01 08:00:00", "ana", "EXP036-1 fevereiro");
    }
    ~SqliteAuditListing() override {
        database.reset();
        fs::remove(file);
    }

    void Add(const std::string& moment, const std::string& person, const std::string& object) {
        hostfw::TParams params;
        params.CreateParam("MOMENTO").SetAsString(moment);
        params.CreateParam("PESSOA").SetAsString(person);
        params.CreateParam("OBJETO").SetAsString(object);
        database->Execute(
            "INSERT INTO AUDITORIA (MOMENTO, PESSOA, ORIGEM, EVENTO, OBJETO, PARAMETROS, LINHAS, "
            "RESULTADO) VALUES (:MOMENTO, :PESSOA, 'vm', 'relatorio', :OBJETO, "
            "'P_CDFILIAL=\"0001\"', 3, 'ok')",
            params);
    }

    std::string List(std::optional<std::string> since, std::optional<std::string> user,
                     bool csv = false) {
        admin::AdminCommand command;
        command.kind = admin::AdminCommand::Kind::Audit;
        command.since = std::move(since);
        command.user = std::move(user);
        command.csv = csv;
        std::ostringstream out;
        admin::ListAudit(*database, command, out);
        return out.str();
    }

    const fs::path file =
        fs::temp_directory_path() / ("exp036_audit_" + std::to_string(getpid()) + ".sqlite");
    std::shared_ptr<hostfw::Engine> database;
};

TEST_F(SqliteAuditListing, ADayStartsAtMidnightAndAPersonIsMatchedWhole) {
    const std::string fromTheLast = List("2026-01-31", std::nullopt);
    EXPECT_EQ(fromTheLast.find("janeiro"), std::string::npos) << fromTheLast;
    EXPECT_NE(fromTheLast.find("2026-01-31 00:00:00  maria  vm  relatorio  EXP036-1 virada"),
              std::string::npos)
        << fromTheLast;
    EXPECT_NE(fromTheLast.find("fevereiro"), std::string::npos) << fromTheLast;

    const std::string ana = List(std::nullopt, "ana");
    EXPECT_NE(ana.find("janeiro"), std::string::npos) << ana;
    EXPECT_NE(ana.find("fevereiro"), std::string::npos) << ana;
    EXPECT_EQ(ana.find("maria"), std::string::npos) << ana;
    EXPECT_EQ(List("2026-02-02", std::nullopt), "");
}

TEST_F(SqliteAuditListing, AsCsvEveryRowFollowsTheHeaderInOrder) {
    std::istringstream lines(List("2026-01-31", "ana", true));
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line.rfind("MOMENTO,PESSOA,ORIGEM,EVENTO,OBJETO,", 0), 0u) << line;
    std::getline(lines, line);
    EXPECT_EQ(line.rfind("2026-02-01 08:00:00,ana,vm,relatorio,EXP036-1 fevereiro,3,,ok,,", 0), 0u)
        << line;
    EXPECT_FALSE(std::getline(lines, line)) << "one row only: " << line;
}

}  // namespace
