#include <gtest/gtest.h>

#include <string>

#include "host/services/text_rules.h"

namespace {

using hostfw::Ajusta;
using hostfw::EmptyString;
using hostfw::FormatMaskText;
using hostfw::PictPess;

TEST(EmptyStringRule, BlanksTabsAndTheUnfilledDateMaskAreEmpty) {
    EXPECT_TRUE(EmptyString(""));
    EXPECT_TRUE(EmptyString("    "));
    EXPECT_TRUE(EmptyString(" \t \t"));
    EXPECT_TRUE(EmptyString("  /  /    "));
}

TEST(EmptyStringRule, AnythingTypedIsNotEmpty) {
    EXPECT_FALSE(EmptyString("0"));
    EXPECT_FALSE(EmptyString(" a "));
    EXPECT_FALSE(EmptyString("01/  /    "));
    EXPECT_FALSE(EmptyString(",,"));
    EXPECT_FALSE(EmptyString("///"));
}

TEST(AjustaRule, FillsWithZerosOnTheLeft) {
    EXPECT_EQ(Ajusta("1", 4), "0001");
    EXPECT_EQ(Ajusta("12", 4), "0012");
    EXPECT_EQ(Ajusta("0001", 4), "0001");
    EXPECT_EQ(Ajusta("A", 4), "000A");
}

TEST(AjustaRule, TrimsBlanksFirst) {
    EXPECT_EQ(Ajusta(" 1 ", 4), "0001");
    EXPECT_EQ(Ajusta("  12", 4), "0012");
}

TEST(AjustaRule, NeverCutsALongerCode) {
    EXPECT_EQ(Ajusta("12345", 4), "12345");
}

TEST(AjustaRule, CountsCharactersNotBytes) {
    EXPECT_EQ(Ajusta("Ç", 4), "000Ç");
}

TEST(PictPessRule, MaskPerKind) {
    EXPECT_EQ(PictPess("F"), "999.999.999-99");
    EXPECT_EQ(PictPess("J"), "99.999.999/9999-99");
    EXPECT_EQ(PictPess(""), "");
    EXPECT_EQ(PictPess("X"), "");
    EXPECT_EQ(PictPess("f"), "");
}

TEST(FormatMaskTextRule, LaysTheDigitsIntoTheMask) {
    EXPECT_EQ(FormatMaskText(PictPess("F"), "52998224725"), "529.982.247-25");
    EXPECT_EQ(FormatMaskText(PictPess("J"), "11222333000181"), "11.222.333/0001-81");
}

TEST(FormatMaskTextRule, EmptyMaskKeepsTheValue) {
    EXPECT_EQ(FormatMaskText("", "52998224725"), "52998224725");
}

TEST(FormatMaskTextRule, ValueThatDoesNotFitIsKept) {
    const std::string cpf = PictPess("F");
    EXPECT_EQ(FormatMaskText(cpf, "5299822472"), "5299822472");
    EXPECT_EQ(FormatMaskText(cpf, "529982247251"), "529982247251");
    EXPECT_EQ(FormatMaskText(cpf, "529.982.247-25"), "529.982.247-25");
    EXPECT_EQ(FormatMaskText(cpf, "5299822472x"), "5299822472x");
    EXPECT_EQ(FormatMaskText(cpf, ""), "");
}

}  // namespace
