#include <gtest/gtest.h>

#include "scripts/script_error.h"
#include "scripts/script_token.h"

namespace host {
namespace {

using Kind = Token::Kind;

TEST(ScriptTokens, WordsAndTextsAreSplitAtBlanks) {
    const std::vector<Token> tokens = TokenizeScriptLine("  type\tedtCdFilial \"a b\"  ");
    const std::vector<Token> expected = {
        {Kind::Word, "type"}, {Kind::Word, "edtCdFilial"}, {Kind::Text, "a b"}};
    EXPECT_EQ(tokens, expected);
}

TEST(ScriptTokens, EscapesInsideTextsAreDecoded) {
    const std::vector<Token> tokens = TokenizeScriptLine(R"(x "q\"uote \\ line\nnext\ttab")");
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[1], (Token{Kind::Text, "q\"uote \\ line\nnext\ttab"}));
}

TEST(ScriptTokens, AnEmptyTextIsATokenOfItsOwn) {
    const std::vector<Token> tokens = TokenizeScriptLine(R"(answer "")");
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[1], (Token{Kind::Text, ""}));
}

TEST(ScriptTokens, AQuotedValueAfterAnEqualsSignStaysInItsWord) {
    const std::vector<Token> tokens = TokenizeScriptLine(R"(session ReportDir="/a b/c" X=1)");
    const std::vector<Token> expected = {
        {Kind::Word, "session"}, {Kind::Word, "ReportDir=/a b/c"}, {Kind::Word, "X=1"}};
    EXPECT_EQ(tokens, expected);
}

TEST(ScriptTokens, CommentAndBlankLinesHaveNoTokens) {
    EXPECT_TRUE(TokenizeScriptLine("   # type x \"unterminated").empty());
    EXPECT_TRUE(TokenizeScriptLine("").empty());
    EXPECT_TRUE(TokenizeScriptLine(" \t\r").empty());
}

TEST(ScriptTokens, AHashAfterTheFirstWordIsAnOrdinaryCharacter) {
    const std::vector<Token> tokens = TokenizeScriptLine("pick #1,A#");
    ASSERT_EQ(tokens.size(), 2u);
    EXPECT_EQ(tokens[1].value, "#1,A#");
}

TEST(ScriptTokens, AWindowsLineEndIsIgnored) {
    const std::vector<Token> tokens = TokenizeScriptLine("close\r");
    ASSERT_EQ(tokens.size(), 1u);
    EXPECT_EQ(tokens[0].value, "close");
}

TEST(ScriptTokens, MalformedLinesAreRefusedWithTheColumn) {
    const auto message = [](const char* line) {
        try {
            TokenizeScriptLine(line);
        } catch (const ScriptError& e) {
            return std::string(e.what());
        }
        return std::string("aceita");
    };
    EXPECT_NE(message(R"(type x "open)").find("sem aspas de fechamento"), std::string::npos);
    EXPECT_NE(message(R"(type x "ends in backslash\)").find("sem aspas de fechamento"),
              std::string::npos);
    EXPECT_NE(message(R"(type x "bad \q")").find("escape desconhecida '\\q'"), std::string::npos);
    EXPECT_NE(message(R"(type x ab"c")").find("aspas no meio de uma palavra (coluna 10)"),
              std::string::npos);
    EXPECT_NE(message(R"(type x "a"b)").find("falta um espaço"), std::string::npos);
}

TEST(ScriptTokens, QuotingRoundTripsThroughTheLexer) {
    const std::string awkward = "a \"b\" \\c\nd\te ção";
    const std::vector<Token> tokens = TokenizeScriptLine(QuoteScriptText(awkward));
    ASSERT_EQ(tokens.size(), 1u);
    EXPECT_EQ(tokens[0], (Token{Kind::Text, awkward}));
    EXPECT_EQ(ScriptTokenText({Kind::Word, "date(2026-01-02)"}), "date(2026-01-02)");
}

}  // namespace
}  // namespace host
