#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "host/core/exception.h"
#include "host/definition/dfm_parser.h"

namespace hostfw::dfm {
namespace {

using ::testing::ElementsAre;

// Parses "object X: TX <body> end" and returns the one property of the body.
Value ValueOf(const std::string& assignment) {
    const ObjectNode root = ParseDfm("object X: TX\n  " + assignment + "\nend\n", "test.dfm");
    return root.properties.at(0).value;
}

TEST(DfmStrings, CharacterCodesBecomeUtf8) {
    EXPECT_EQ(ValueOf("Caption = 'Consulta Lan'#231'amentos'").AsString(), "Consulta Lançamentos");
    EXPECT_EQ(ValueOf("Caption = #$E9#233").AsString(), "éé");
    EXPECT_EQ(ValueOf("Caption = 'a'#13#10'b'").AsString(), "a\r\nb");
    EXPECT_EQ(ValueOf("Caption = 'N'#8364").AsString(), "N€");
    // A UTF-16 pair written as two codes is one character.
    EXPECT_EQ(ValueOf("Caption = #55357#56832").AsString(), "\xF0\x9F\x98\x80");
}

TEST(DfmStrings, QuotesAccentsAndConcatenation) {
    EXPECT_EQ(ValueOf("Caption = 'It''s'").AsString(), "It's");
    EXPECT_EQ(ValueOf("Caption = ''''").AsString(), "'");
    EXPECT_EQ(ValueOf("Caption = ''").AsString(), "");
    EXPECT_EQ(ValueOf("Caption = 'Não há filial'").AsString(), "Não há filial");
    EXPECT_EQ(ValueOf("Hint = 'primeira ' +\n    'segunda' +\n    ' terceira'").AsString(),
              "primeira segunda terceira");
    EXPECT_EQ(ValueOf("Caption = 'a' + #231 + ''''").AsString(), "aç'");
}

TEST(DfmNumbers, IntegersFloatsAndHex) {
    EXPECT_EQ(ValueOf("Font.Height = -11").AsInteger(), -11);
    EXPECT_EQ(ValueOf("Left = 0").AsInteger(), 0);
    EXPECT_EQ(ValueOf("Color = $00FF00FF").AsInteger(), 0xFF00FF);
    EXPECT_EQ(ValueOf("Big = 9223372036854775807").AsInteger(),
              std::numeric_limits<std::int64_t>::max());
    EXPECT_DOUBLE_EQ(ValueOf("Ratio = 1.5").AsFloat(), 1.5);
    EXPECT_DOUBLE_EQ(ValueOf("Ratio = -2.5E3").AsFloat(), -2500.0);
    EXPECT_DOUBLE_EQ(ValueOf("Ratio = 7").AsFloat(), 7.0);
    EXPECT_EQ(ValueOf("Ratio = 1.0").kind(), Value::Kind::Float);
}

TEST(DfmValues, IdentifiersSetsListsCollectionsAndBinary) {
    EXPECT_EQ(ValueOf("Connection = dtmDBGeral.adcGeral").AsIdentifier(), "dtmDBGeral.adcGeral");
    EXPECT_EQ(ValueOf("Visible = False").AsIdentifier(), "False");
    EXPECT_THAT(ValueOf("Font.Style = [fsBold, fsItalic]").AsSet(),
                ElementsAre("fsBold", "fsItalic"));
    EXPECT_TRUE(ValueOf("Font.Style = []").AsSet().empty());
    EXPECT_THAT(ValueOf("SQL.Strings = (\n 'SELECT'\n '   X,' +\n 'Y'\n 'FROM')").AsStrings(),
                ElementsAre("SELECT", "   X,Y", "FROM"));
    EXPECT_TRUE(ValueOf("Items.Strings = ()").AsList().empty());

    const Value mixed = ValueOf("Data = (1 'a' clRed (2))");
    ASSERT_EQ(mixed.AsList().size(), 4u);
    EXPECT_EQ(mixed.AsList()[2].AsIdentifier(), "clRed");
    EXPECT_EQ(mixed.AsList()[3].AsList()[0].AsInteger(), 2);

    const Value params = ValueOf(
        "Params = <\n  item\n    DataType = ftUnknown\n    Name = 'P_A'\n  end\n"
        "  item\n    Name = 'P_B'\n  end>");
    const auto& items = params.AsCollection();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].at(0).name, "DataType");
    EXPECT_EQ(items[0].at(1).value.AsString(), "P_A");
    EXPECT_EQ(items[1].at(0).value.AsString(), "P_B");
    EXPECT_TRUE(ValueOf("Aggregates = <>").AsCollection().empty());

    EXPECT_THAT(ValueOf("Glyph.Data = {\n  0Aff\n  10 }").AsBinary(),
                ElementsAre(0x0A, 0xFF, 0x10));
    EXPECT_TRUE(ValueOf("Glyph.Data = {}").AsBinary().empty());
}

TEST(DfmValues, AccessorOfTheWrongKindNamesTheLine) {
    const ObjectNode root = ParseDfm("object X: TX\n  A = 1\n  B = 'x'\n  C = ('a' 2)\nend", "t");
    EXPECT_THAT([&] { (void)root.properties[1].value.AsInteger(); },
                ::testing::ThrowsMessage<Exception>(
                    "linha 3: esperado um número inteiro, encontrado um texto"));
    EXPECT_THROW((void)root.properties[0].value.AsString(), Exception);
    EXPECT_THROW((void)root.properties[2].value.AsStrings(), Exception);
}

TEST(DfmObjects, TreeKeepsNestingOrderAndLines) {
    const ObjectNode root = ParseDfm(
        "\xEF\xBB\xBFinherited frmA: TfrmA\n"
        "  Caption = 'A'\n"
        "  Font.Style = [fsBold]\n"
        "  inherited grb: TGroupBox\n"
        "    Width = 498\n"
        "    object pan: TPanel\n"
        "      object lbl: TLabel\n"
        "      end\n"
        "    end\n"
        "  end\n"
        "  inline fra: TFrame1\n"
        "  end\n"
        "  OBJECT TUnnamed\n"
        "  END\n"
        "end\n",
        "a.dfm");
    EXPECT_TRUE(root.inherited);
    EXPECT_EQ(root.name, "frmA");
    EXPECT_EQ(root.className, "TfrmA");
    ASSERT_EQ(root.properties.size(), 2u);
    EXPECT_EQ(root.properties[1].name, "Font.Style");
    EXPECT_EQ(root.properties[1].line, 3);
    ASSERT_EQ(root.children.size(), 3u);
    EXPECT_TRUE(root.children[0].inherited);
    EXPECT_TRUE(root.children[1].inherited);  // inline changes an ancestor's frame
    EXPECT_FALSE(root.children[2].inherited);
    EXPECT_EQ(root.children[2].name, "");
    EXPECT_EQ(root.children[2].className, "TUnnamed");

    const ObjectNode* label = root.FindObject("lbl");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->className, "TLabel");
    EXPECT_EQ(label->line, 7);
    EXPECT_EQ(root.FindObject("nothing"), nullptr);

    const Property* width = root.FindObject("grb")->FindProperty("Width");
    ASSERT_NE(width, nullptr);
    EXPECT_EQ(width->value.AsInteger(), 498);
    EXPECT_EQ(width->value.Line(), 5);
    EXPECT_EQ(root.FindProperty("Width"), nullptr);
}

}  // namespace
}  // namespace hostfw::dfm
