// Where a report reads, and when it reads again: a failure of the report itself is shown at
// once; one of a connection the database ended (a restart, a failover) reads once more on a new
// connection, and the person never sees it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "host/core/exception.h"
#include "host/data/data_context.h"
#include "host/data/report_reads.h"
#include "support/test_folder.h"
#include "unit/data/engine_test_support.h"

namespace {

using hostfw::ReportConnection;

TEST(ReportReads, AFailureOfTheReportItselfIsShownAndNotReadAgain) {
    const auto folder = testsupport::PrivateTestFolder("exp036-report-reads");
    std::filesystem::create_directories(folder);
    hostfw::DataContext context;
    context.Session().database = (folder / "vazio.sqlite").string();
    hostfw::OpenDatabase(context.Session().database, true);
    int reads = 0;
    EXPECT_THROW(hostfw::ReadForReport(context.Database(),
                                       [&](const ReportConnection& connection) -> bool {
                                           ++reads;
                                           EXPECT_FALSE(connection.onStandby);
                                           connection.engine->Query("SELECT * FROM NADA", {});
                                           return true;
                                       }),
                 hostfw::Exception);
    EXPECT_EQ(reads, 1);
    // A run the person stopped is not run again either.
    reads = 0;
    EXPECT_THROW(hostfw::ReadForReport(context.Database(),
                                       [&](const ReportConnection&) -> bool {
                                           ++reads;
                                           hostfw::Abort();
                                       }),
                 hostfw::EAbort);
    EXPECT_EQ(reads, 1);
    context.Database().Close();
    std::filesystem::remove_all(folder);
}

TEST(PgReportReads, AReportWhoseConnectionTheDatabaseEndedReadsOnceMoreOnANewOne) {
    const char* url = std::getenv("EXP036_PG_URL");
    if (url == nullptr || *url == '\0')
        GTEST_SKIP() << "EXP036_PG_URL não definida: sem servidor PostgreSQL";
    hostfw::DataContext context;
    context.Session().database = url;
    const auto ended = context.Database().Open();
    const auto admin = hostfw::OpenDatabase(url);
    datatest::EndOtherSessions(*admin);
    int reads = 0;
    const long long answer =
        hostfw::ReadForReport(context.Database(), [&](const ReportConnection& connection) {
            ++reads;
            const auto rows = connection.engine->Query("SELECT 42", {});
            rows->Next();
            return rows->Value(0).AsInteger();
        });
    EXPECT_EQ(answer, 42);
    EXPECT_EQ(reads, 2);
    EXPECT_TRUE(ended->IsBroken());
    EXPECT_NE(context.Database().Open(), ended) << "the session keeps the new connection";
}

}  // namespace
