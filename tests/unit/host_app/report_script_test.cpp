#include <gtest/gtest.h>

#include <sstream>

#include "report/report_script.h"
#include "scripts/script_token.h"

namespace host {
namespace {

std::vector<std::vector<Token>> Lines(const std::string& script) {
    std::vector<std::vector<Token>> tokenized;
    std::istringstream in(script);
    for (std::string line; std::getline(in, line);)
        tokenized.push_back(TokenizeScriptLine(line));
    return tokenized;
}

size_t LineOf(const std::string& script, const std::string& line) {
    return script.find("\n" + line + "\n");
}

TEST(ReportScript, UserValuesStayQuotedTextsWhateverTheyHold) {
    ReportChoices choices;
    choices.from = "01/01/2025\"\nclose";
    choices.clients = std::vector<std::string>{"a\"b", "c\nreload"};
    const std::vector<std::vector<Token>> script = Lines(ReportScript(choices, "00\\1"));
    ASSERT_EQ(script.size(), 9u);
    EXPECT_EQ(script[1][2], (Token{Token::Kind::Text, "00\\1"}));
    EXPECT_EQ(script[2][2], (Token{Token::Kind::Text, "01/01/2025\"\nclose"}));
    const std::vector<Token> pick = {
        {Token::Kind::Word, "pick"}, {Token::Kind::Text, "a\"b"}, {Token::Kind::Text, "c\nreload"}};
    EXPECT_EQ(script[4], pick);
}

TEST(ReportScript, StatusBoxesAreSetOneByOneAndOnlyWhenStatusesAreGiven) {
    ReportChoices choices;
    EXPECT_EQ(ReportScript(choices, "").find("check"), std::string::npos);
    choices.statuses = "CE";
    const std::string script = ReportScript(choices, "");
    EXPECT_NE(LineOf(script, "check ckbPend false"), std::string::npos);
    EXPECT_NE(LineOf(script, "check ckbEmitida true"), std::string::npos);
    EXPECT_NE(LineOf(script, "check ckbAprovada false"), std::string::npos);
    EXPECT_NE(LineOf(script, "check ckbCancel true"), std::string::npos);
}

TEST(ReportScript, TheInvoiceSearchComesAfterEveryChoiceItSends) {
    ReportChoices choices;
    choices.statuses = "P";
    choices.clients = std::vector<std::string>{"1"};
    choices.destinations = std::vector<std::string>{"0002"};
    choices.invoices = std::vector<std::string>{"7"};
    const std::string script = ReportScript(choices, "0001");
    const size_t invoices = LineOf(script, "click btnNota");
    ASSERT_NE(invoices, std::string::npos);
    EXPECT_LT(LineOf(script, "click btnCli"), invoices);
    EXPECT_LT(LineOf(script, "click btnFilDest"), invoices);
    EXPECT_LT(LineOf(script, "check ckbCancel false"), invoices);
    EXPECT_LT(invoices, LineOf(script, "click sbtPreview"));
}

TEST(ReportScript, AGroupWithoutAListGoesBackToTodos) {
    ReportChoices choices;
    choices.destinations = std::vector<std::string>{"0002"};
    const std::string script = ReportScript(choices, std::nullopt);
    EXPECT_NE(LineOf(script, "click rdbTCli"), std::string::npos) << script;
    EXPECT_EQ(LineOf(script, "click rdbLCli"), std::string::npos) << script;
    EXPECT_NE(LineOf(script, "click rdbLFil"), std::string::npos) << script;
    EXPECT_EQ(LineOf(script, "click rdbTFil"), std::string::npos) << script;
    EXPECT_NE(LineOf(script, "click rdbTNota"), std::string::npos) << script;
}

TEST(ReportScript, APdfIsPrintedAndEverythingElsePreviewed) {
    ReportChoices choices;
    choices.format = ReportFormat::Pdf;
    EXPECT_NE(LineOf(ReportScript(choices, ""), "click sbtPrint"), std::string::npos);
    choices.format = ReportFormat::Csv;
    EXPECT_NE(LineOf(ReportScript(choices, ""), "click sbtPreview"), std::string::npos);
}

}  // namespace
}  // namespace host
