// A query of many rows on an engine that can keep its cursor open beside other statements opens
// with its first rows and reads the others as they are asked for; to its callers nothing changes.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "host/data/engine.h"
#include "host/data/field.h"
#include "host/data/query.h"
#include "host/data/shared_database.h"
#include "host/session/session.h"
#include "support/firebird_database.h"
#include "support/test_folder.h"

namespace {

using hostfw::TADOIBQuery;

constexpr int kRows = 1234;

// The session's database for the test's lifetime, holding T (V INTEGER) with 1..kRows and an
// empty table W.
class QueryReading : public ::testing::Test {
protected:
    void UseDatabase(const std::string& database) {
        const auto engine = hostfw::OpenDatabase(database, true);
        engine->ExecuteScript("CREATE TABLE T (V INTEGER); CREATE TABLE W (V INTEGER)");
        engine->BeginTransaction();
        hostfw::TParams value;
        hostfw::TParam& v = value.CreateParam("V");
        for (int row = 1; row <= kRows; ++row) {
            v.SetAsVariant(hostfw::Variant(row));
            engine->Execute("INSERT INTO T (V) VALUES (:V)", value);
        }
        engine->Commit();
        hostfw::Session().database = database;
        value_->SetFieldName("V");
        value_->SetDataSet(&query);
        query.SetSQL({"SELECT V FROM T ORDER BY V"});
    }
    void TearDown() override {
        query.Close();
        hostfw::CloseSharedDatabase();
        hostfw::Session() = saved_;
    }

    // Every value, read through the dataset as a form's loop reads it.
    std::string Walk() {
        std::string seen;
        int expected = 1;
        for (query.First(); !query.Eof(); query.Next()) {
            if (value_->Value().AsInteger() != expected)
                return "row " + std::to_string(expected) + " holds " + value_->AsString();
            ++expected;
        }
        return std::to_string(expected - 1) + " rows in order";
    }

    TADOIBQuery query{nullptr};

private:
    hostfw::SessionSettings saved_ = hostfw::Session();
    hostfw::TField* value_ = new hostfw::TStringField(&query);
};

class FbQueryReading : public QueryReading {
protected:
    void SetUp() override { UseDatabase(database_.Connection()); }

private:
    testsupport::FirebirdTestDatabase database_{testsupport::FirebirdPlace::Embedded};
};

TEST_F(FbQueryReading, ItOpensWithTheFirstRowsAndEveryWayOfReadingSeesThemAll) {
    query.Open();
    EXPECT_FALSE(query.IsEmpty());
    EXPECT_LT(query.RowsRead(), static_cast<std::size_t>(kRows));
    EXPECT_FALSE(query.AllRowsRead());
    EXPECT_EQ(Walk(), "1234 rows in order");
    EXPECT_TRUE(query.AllRowsRead());

    query.Open();
    query.SetRecNo(kRows - 1);
    EXPECT_EQ(query.FieldByName("V").Value().AsInteger(), kRows) << "going to a row reads up to it";
    query.Open();
    EXPECT_EQ(query.RecordCount(), kRows) << "counting reads them all";
}

TEST_F(FbQueryReading, TheConnectionRunsOtherStatementsWhileRowsAreLeftToRead) {
    query.Open();
    ASSERT_FALSE(query.AllRowsRead());
    const auto engine = hostfw::SharedDatabase();
    hostfw::TParams value;
    value.CreateParam("V").SetAsVariant(hostfw::Variant(7));
    engine->Execute("INSERT INTO W (V) VALUES (:V)", value);
    engine->BeginTransaction();
    engine->Execute("INSERT INTO W (V) VALUES (:V)", value);
    engine->Commit();
    EXPECT_EQ(Walk(), "1234 rows in order");
    const auto count = engine->Query("SELECT COUNT(*) FROM W", {});
    ASSERT_TRUE(count->Next());
    EXPECT_EQ(count->Value(0).AsInteger(), 2) << "both writes were committed meanwhile";
}

TEST_F(FbQueryReading, InsideATransactionEveryRowIsReadAtTheOpen) {
    // The transaction's end would cut a cursor left open short.
    const auto engine = hostfw::SharedDatabase();
    engine->BeginTransaction();
    query.Open();
    EXPECT_TRUE(query.AllRowsRead());
    EXPECT_EQ(query.RowsRead(), static_cast<std::size_t>(kRows));
    engine->Rollback();
    EXPECT_EQ(Walk(), "1234 rows in order");
}

TEST_F(QueryReading, OnSqliteEveryRowIsReadAtTheOpen) {
    // One statement at a time on the link: no cursor is left open.
    const std::filesystem::path folder = testsupport::PrivateTestFolder("exp036-reading");
    std::filesystem::create_directories(folder);
    UseDatabase((folder / "teste.sqlite").string());
    query.Open();
    EXPECT_TRUE(query.AllRowsRead());
    EXPECT_EQ(Walk(), "1234 rows in order");
    TearDown();
    std::filesystem::remove_all(folder);
}

}  // namespace
