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
Value valueOf(const std::string& assignment) {
    const ObjectNode root = parseDfm("object X: TX\n  " + assignment + "\nend\n", "test.dfm");
    return root.properties.at(0).value;
}

TEST(DfmStrings, CharacterCodesBecomeUtf8) {
    EXPECT_EQ(valueOf("Caption = 'Consulta Lan'#231'amentos'").asString(), "Consulta Lançamentos");
    EXPECT_EQ(valueOf("Caption = #$E9#233").asString(), "éé");
    EXPECT_EQ(valueOf("Caption = 'a'#13#10'b'").asString(), "a\r\nb");
    EXPECT_EQ(valueOf("Caption = 'N'#8364").asString(), "N€");
    // A UTF-16 pair written as two codes is one character.
    EXPECT_EQ(valueOf("Caption = #55357#56832").asString(), "\xF0\x9F\x98\x80");
}

TEST(DfmStrings, QuotesAccentsAndConcatenation) {
    EXPECT_EQ(valueOf("Caption = 'It''s'").asString(), "It's");
    EXPECT_EQ(valueOf("Caption = ''''").asString(), "'");
    EXPECT_EQ(valueOf("Caption = ''").asString(), "");
    EXPECT_EQ(valueOf("Caption = 'Não há filial'").asString(), "Não há filial");
    EXPECT_EQ(valueOf("Hint = 'primeira ' +\n    'segunda' +\n    ' terceira'").asString(),
              "primeira segunda terceira");
    EXPECT_EQ(valueOf("Caption = 'a' + #231 + ''''").asString(), "aç'");
}

TEST(DfmNumbers, IntegersFloatsAndHex) {
    EXPECT_EQ(valueOf("Font.Height = -11").asInteger(), -11);
    EXPECT_EQ(valueOf("Left = 0").asInteger(), 0);
    EXPECT_EQ(valueOf("Color = $00FF00FF").asInteger(), 0xFF00FF);
    EXPECT_EQ(valueOf("Big = 9223372036854775807").asInteger(),
              std::numeric_limits<std::int64_t>::max());
    EXPECT_DOUBLE_EQ(valueOf("Ratio = 1.5").asFloat(), 1.5);
    EXPECT_DOUBLE_EQ(valueOf("Ratio = -2.5E3").asFloat(), -2500.0);
    EXPECT_DOUBLE_EQ(valueOf("Ratio = 7").asFloat(), 7.0);
    EXPECT_EQ(valueOf("Ratio = 1.0").kind(), Value::Kind::Float);
}

TEST(DfmValues, IdentifiersSetsListsCollectionsAndBinary) {
    EXPECT_EQ(valueOf("Connection = dtmDBGeral.adcGeral").asIdentifier(), "dtmDBGeral.adcGeral");
    EXPECT_EQ(valueOf("Visible = False").asIdentifier(), "False");
    EXPECT_THAT(valueOf("Font.Style = [fsBold, fsItalic]").asSet(),
                ElementsAre("fsBold", "fsItalic"));
    EXPECT_TRUE(valueOf("Font.Style = []").asSet().empty());
    EXPECT_THAT(valueOf("SQL.Strings = (\n 'SELECT'\n '   X,' +\n 'Y'\n 'FROM')").asStrings(),
                ElementsAre("SELECT", "   X,Y", "FROM"));
    EXPECT_TRUE(valueOf("Items.Strings = ()").asList().empty());

    const Value mixed = valueOf("Data = (1 'a' clRed (2))");
    ASSERT_EQ(mixed.asList().size(), 4u);
    EXPECT_EQ(mixed.asList()[2].asIdentifier(), "clRed");
    EXPECT_EQ(mixed.asList()[3].asList()[0].asInteger(), 2);

    const Value params = valueOf(
        "Params = <\n  item\n    DataType = ftUnknown\n    Name = 'P_A'\n  end\n"
        "  item\n    Name = 'P_B'\n  end>");
    const auto& items = params.asCollection();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].at(0).name, "DataType");
    EXPECT_EQ(items[0].at(1).value.asString(), "P_A");
    EXPECT_EQ(items[1].at(0).value.asString(), "P_B");
    EXPECT_TRUE(valueOf("Aggregates = <>").asCollection().empty());

    EXPECT_THAT(valueOf("Glyph.Data = {\n  0Aff\n  10 }").asBinary(),
                ElementsAre(0x0A, 0xFF, 0x10));
    EXPECT_TRUE(valueOf("Glyph.Data = {}").asBinary().empty());
}

TEST(DfmValues, AccessorOfTheWrongKindNamesTheLine) {
    const ObjectNode root = parseDfm("object X: TX\n  A = 1\n  B = 'x'\n  C = ('a' 2)\nend", "t");
    EXPECT_THAT([&] { (void)root.properties[1].value.asInteger(); },
                ::testing::ThrowsMessage<Exception>(
                    "linha 3: esperado um número inteiro, encontrado um texto"));
    EXPECT_THROW((void)root.properties[0].value.asString(), Exception);
    EXPECT_THROW((void)root.properties[2].value.asStrings(), Exception);
}

TEST(DfmObjects, TreeKeepsNestingOrderAndLines) {
    const ObjectNode root = parseDfm(
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

    const ObjectNode* label = root.findObject("lbl");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->className, "TLabel");
    EXPECT_EQ(label->line, 7);
    EXPECT_EQ(root.findObject("nothing"), nullptr);

    const Property* width = root.findObject("grb")->findProperty("Width");
    ASSERT_NE(width, nullptr);
    EXPECT_EQ(width->value.asInteger(), 498);
    EXPECT_EQ(width->value.line(), 5);
    EXPECT_EQ(root.findProperty("Width"), nullptr);
}

}  // namespace
}  // namespace hostfw::dfm
