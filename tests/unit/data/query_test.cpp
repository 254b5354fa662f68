#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core/exception.h"
#include "host/data/data_context.h"
#include "host/data/field.h"
#include "host/data/query.h"
#include "host/definition/loader.h"
#include "host/ui/form.h"
#include "test_database.h"

namespace {

using hostfw::TADOIBQuery;
using hostfw::TField;
using hostfw::TStringField;

class DefinedForm : public hostfw::TForm {
public:
    using hostfw::TForm::TForm;
    std::string ClassName() const override { return "TDefinedForm"; }
};

// A branch query as a stored definition declares it: both statements, one parameter and
// persistent fields with their metadata.
constexpr const char* kBranchQuery = R"(object frmTeste: TDefinedForm
  object qryFilial: TADOIBQuery
    Connection = dtmDBGeral.adcGeral
    SQL.Strings = (
      'SELECT CDFILIAL, NMFILIAL FROM FILIAL'
      'WHERE CDFILIAL = :P_CDFILIAL')
    SQL_MSSQL.Strings = (
      'SELECT TOP 1 CDFILIAL, NMFILIAL FROM dbo.FILIAL WITH (NOLOCK)')
    object qryFilialCDFILIAL: TStringField
      DisplayLabel = 'C'#243'digo'
      DisplayWidth = 6
      FieldName = 'CDFILIAL'
      Required = True
      FixedChar = True
      Size = 4
    end
    object qryFilialNMFILIAL: TStringField
      DisplayLabel = 'Nome'
      FieldName = 'NMFILIAL'
      Visible = False
      Size = 30
    end
  end
end
)";

// The test's own context, built before the database fixture that sets its session.
struct OwnContext {
    hostfw::DataContext context;
};

class Query : private OwnContext, public datatest::TestDatabase {
protected:
    Query() : datatest::TestDatabase(context) {}

    void OpenFor(const std::string& branch) {
        query.Close();
        query.ParamByName("P_CDFILIAL").SetAsString(branch);
        query.Open();
    }

    hostfw::TContextOwner owner{context};
    DefinedForm form{&owner};
    const bool loaded =
        (hostfw::LoadDefinition(form, form.Handlers(), kBranchQuery, "teste.dfm"), true);
    TADOIBQuery& query = hostfw::ComponentByName<TADOIBQuery>(form, "qryFilial");
    TField& code = *query.FindField("CDFILIAL");
    TField& name = *query.FindField("NMFILIAL");
};

TEST_F(Query, RunsTheCommonStatementNotTheSqlServerOne) {
    OpenFor("0002");
    ASSERT_FALSE(query.IsEmpty());
    EXPECT_EQ(name.AsString(), "Filial Campinas");
    EXPECT_EQ(query.SQL_MSSQL().size(), 1u) << "kept as stored";
}

TEST_F(Query, ParametersComeFromTheStatement) {
    ASSERT_EQ(query.Params().Count(), 1u);
    EXPECT_EQ(query.Params()[0].Name(), "P_CDFILIAL");
    EXPECT_THROW(query.ParamByName("P_OUTRO"), hostfw::Exception);
}

// On a Firebird session, q'{...}' is one literal even with an apostrophe inside: what it holds
// declares no parameter.
TEST(QueryParameters, AreReadAsTheSessionsEngineReadsTheStatement) {
    hostfw::DataContext context;
    context.Session().database = "firebird:/nenhuma/pasta/teste.fdb";
    hostfw::TContextOwner owner(context);
    TADOIBQuery query(&owner);
    query.SetSQL({"SELECT q'{it's :NAO}' FROM CLIENTE WHERE CDCLIENTE = :P_CDCLIENTE"});
    ASSERT_EQ(query.Params().Count(), 1u);
    EXPECT_EQ(query.Params()[0].Name(), "P_CDCLIENTE");
}

TEST_F(Query, CloseEmptiesAndReopenReadsAfresh) {
    OpenFor("0001");
    EXPECT_EQ(name.AsString(), "Matriz São Paulo");
    query.Close();
    EXPECT_TRUE(query.IsEmpty());
    EXPECT_FALSE(query.Active());
    OpenFor("9999");
    EXPECT_TRUE(query.IsEmpty());
    EXPECT_TRUE(name.IsNull());
}

TEST_F(Query, EmptyCodeMatchesNothingInsteadOfFailing) {
    OpenFor("");
    EXPECT_TRUE(query.IsEmpty());
}

TEST_F(Query, FieldsCarryTheirStoredMetadata) {
    EXPECT_EQ(code.DisplayLabel(), "Código");
    EXPECT_EQ(code.DisplayWidth(), 6);
    EXPECT_TRUE(code.Required());
    EXPECT_TRUE(code.FixedChar());
    EXPECT_EQ(code.Size(), 4);
    EXPECT_FALSE(name.Visible());
    EXPECT_EQ(name.DisplayLabel(), "Nome");
}

TEST_F(Query, GetTextHookStartsFromAnEmptyText) {
    OpenFor("0001");
    code.OnGetText = [](TField*, std::string&, bool) {};
    EXPECT_EQ(code.DisplayText(), "");
    name.OnGetText = [](TField* sender, std::string& text, bool displayText) {
        text += (displayText ? "[" : "<") + sender->AsString();
    };
    EXPECT_EQ(name.DisplayText(), "[Matriz São Paulo");
    EXPECT_EQ(name.Text(), "<Matriz São Paulo");
}

TEST_F(Query, AFieldMissingFromTheResultIsAClearError) {
    query.SetSQL({"SELECT CDFILIAL FROM FILIAL"});
    try {
        query.Open();
        FAIL() << "opened without NMFILIAL";
    } catch (const hostfw::Exception& error) {
        EXPECT_NE(std::string(error.what()).find("NMFILIAL"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(query.Active());
}

TEST_F(Query, NewStatementKeepsTheValuesOfParametersItStillDeclares) {
    query.ParamByName("P_CDFILIAL").SetAsString("0003");
    query.SetSQL({"SELECT CDFILIAL, NMFILIAL FROM FILIAL WHERE CDFILIAL = :p_cdfilial",
                  "OR NMFILIAL = :P_NOME"});
    EXPECT_EQ(query.Params().Count(), 2u);
    EXPECT_EQ(query.ParamByName("P_CDFILIAL").AsString(), "0003");
    EXPECT_FALSE(query.ParamByName("P_NOME").IsAssigned());
    query.Open();
    EXPECT_EQ(name.AsString(), "Filial Curitiba");
}

TEST_F(Query, RowsAreWalkedInOrder) {
    query.SetSQL({"SELECT CDFILIAL, NMFILIAL FROM FILIAL ORDER BY CDFILIAL"});
    query.Open();
    std::vector<std::string> codes;
    for (query.First(); !query.Eof(); query.Next())
        codes.push_back(code.AsString());
    EXPECT_EQ(codes, (std::vector<std::string>{"0001", "0002", "0003"}));
}

}  // namespace
