// A query read again in the order of one of its fields, sorted by the database itself, on each
// engine: the picker's header click over a million rows reads nothing into memory to sort.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "db/demo_data.h"
#include "host/data/data_context.h"
#include "host/data/field.h"
#include "host/data/query.h"
#include "support/firebird_database.h"
#include "support/test_folder.h"

namespace {

using hostfw::TADOIBQuery;
using hostfw::TField;

// The test rows' clients by name, in byte order.
const std::vector<std::string> kNamesAscending = {"Café & Cia, Ltda", "João da Silva",
                                                  "Maria D'Ávila", "O \"Rei\" do Pão"};

// The clients query of the owner's session database, with its statement and the fields a
// stored definition gives it.
class ClientQuery {
public:
    ClientQuery(hostfw::TComponent& owner, const std::vector<std::string>& statement,
                const std::string& nameField = "NMFANTCLIE")
        : query(&owner) {
        code_->SetFieldName("CDCLIENTE");
        code_->SetDataSet(&query);
        name_->SetFieldName(nameField);
        name_->SetDataSet(&query);
        query.SetSQL(statement);
        query.Open();
    }

    std::vector<std::string> Column(const TField& field) {
        std::vector<std::string> values;
        for (query.First(); !query.Eof(); query.Next())
            values.push_back(field.AsString());
        return values;
    }
    std::vector<std::string> Codes() { return Column(*code_); }
    std::vector<std::string> Names() { return Column(*name_); }
    TField& Name() { return *name_; }
    TField& Code() { return *code_; }

    TADOIBQuery query;

private:
    TField* code_ = new hostfw::TStringField(&query);
    TField* name_ = new hostfw::TStringField(&query);
};

// On the session's database, as it is set: sorted by the database each way, then the statement's
// own order at the next open.
void ExpectOrderedByTheDatabase(hostfw::TComponent& owner) {
    ClientQuery clients(owner,
                        {"SELECT CDCLIENTE, NMFANTCLIE", "FROM CLIENTE", "ORDER BY CDCLIENTE"});
    EXPECT_EQ(clients.Codes(), (std::vector<std::string>{"1", "11", "2", "3"}));
    EXPECT_TRUE(clients.query.ReopenOrderedBy(clients.Name(), false));
    EXPECT_EQ(clients.Names(), kNamesAscending);
    EXPECT_TRUE(clients.query.ReopenOrderedBy(clients.Name(), true));
    EXPECT_EQ(clients.Names(),
              (std::vector<std::string>(kNamesAscending.rbegin(), kNamesAscending.rend())));
    clients.query.Open();
    EXPECT_EQ(clients.Codes(), (std::vector<std::string>{"1", "11", "2", "3"}));

    // Codes are texts of digits: the database sorts them by their number, blanks first and
    // other texts last, as the picker sorts the rows it holds.
    const std::string oneRow = " FROM CLIENTE WHERE CDCLIENTE = '1'";
    ClientQuery codes(
        owner,
        {"SELECT CDCLIENTE, NMFANTCLIE FROM CLIENTE", "UNION ALL SELECT '0019', 'x'" + oneRow,
         "UNION ALL SELECT 'A7', 'x'" + oneRow, "UNION ALL SELECT '', 'x'" + oneRow});
    const std::vector<std::string> byNumber = {"", "1", "2", "3", "11", "0019", "A7"};
    EXPECT_TRUE(codes.query.ReopenOrderedBy(codes.Code(), false));
    EXPECT_EQ(codes.Codes(), byNumber);
    EXPECT_TRUE(codes.query.ReopenOrderedBy(codes.Code(), true));
    EXPECT_EQ(codes.Codes(), (std::vector<std::string>(byNumber.rbegin(), byNumber.rend())));
}

// A fresh database with the test rows, the session's of the test's own context.
class QueryOrder : public ::testing::Test {
protected:
    void UseDatabase(const std::string& database) {
        demodb::BuildTestDatabase(*hostfw::OpenDatabase(database, true));
        context_.Session().database = database;
    }

    std::string SqliteFile() {
        std::filesystem::create_directories(folder_.Path());
        return (folder_.Path() / "teste.sqlite").string();
    }

    hostfw::DataContext context_;
    hostfw::TContextOwner owner{context_};

private:
    struct Folder {
        std::filesystem::path path = testsupport::PrivateTestFolder("exp036-order");
        const std::filesystem::path& Path() const { return path; }
        ~Folder() {
            std::error_code ignored;
            std::filesystem::remove_all(path, ignored);
        }
    } folder_;
};

TEST_F(QueryOrder, OnSqliteTheDatabaseSortsAndTheNextOpenIsAsWritten) {
    UseDatabase(SqliteFile());
    ExpectOrderedByTheDatabase(owner);
}

TEST_F(QueryOrder, TheColumnIsQuotedAsANameWhateverItHolds) {
    UseDatabase(SqliteFile());
    // A result column named with blanks and quotes: only a quoted identifier names it.
    ClientQuery clients(
        owner, {"SELECT CDCLIENTE, NMFANTCLIE AS \"Nome \"\"fantasia\"\"\"", "FROM CLIENTE"},
        "Nome \"fantasia\"");
    EXPECT_TRUE(clients.query.ReopenOrderedBy(clients.Name(), false));
    EXPECT_EQ(clients.Names(), kNamesAscending);
}

TEST_F(QueryOrder, AStatementTheDatabaseCannotWrapIsReadAsWritten) {
    UseDatabase(SqliteFile());
    // Its end mark would end the wrapping statement halfway.
    ClientQuery clients(owner, {"SELECT CDCLIENTE, NMFANTCLIE FROM CLIENTE ORDER BY CDCLIENTE;"});
    EXPECT_FALSE(clients.query.ReopenOrderedBy(clients.Name(), false));
    EXPECT_TRUE(clients.query.Active());
    EXPECT_EQ(clients.Codes(), (std::vector<std::string>{"1", "11", "2", "3"}));
}

// PostgreSQL reports unquoted names in lower case: the result's own name is the one quoted. Its
// suite's name is what the PostgreSQL run of the tests selects.
class PgQueryOrder : public QueryOrder {};

TEST_F(PgQueryOrder, TheResultsOwnColumnNameIsOrderedBy) {
    const char* url = std::getenv("EXP036_PG_URL");
    if (url == nullptr || *url == '\0')
        GTEST_SKIP() << "EXP036_PG_URL não definida: sem servidor PostgreSQL";
    const std::string schema = "query_order";
    const auto admin = hostfw::OpenDatabase(url);
    admin->ExecuteScript("DROP SCHEMA IF EXISTS " + schema + " CASCADE; CREATE SCHEMA " + schema);
    UseDatabase(std::string(url) + " options='-c search_path=" + schema + "'");
    ExpectOrderedByTheDatabase(owner);
    context_.Database().Close();
    admin->ExecuteScript("DROP SCHEMA IF EXISTS " + schema + " CASCADE");
}

// Firebird reports unquoted names in upper case and takes a derived table with its alias.
TEST_F(QueryOrder, OnEmbeddedFirebirdTheDatabaseSortsToo) {
    const testsupport::FirebirdTestDatabase database(testsupport::FirebirdPlace::Embedded);
    UseDatabase(database.Connection());
    ExpectOrderedByTheDatabase(owner);
    context_.Database().Close();
}

}  // namespace
