#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "host/core/exception.h"
#include "host/definition/dfm_parser.h"

namespace hostfw::dfm {
namespace {

using ::testing::HasSubstr;

// The message ParseDfm raises for a text, or "" when it parses.
std::string ErrorOf(const std::string& text) {
    try {
        ParseDfm(text, "Cli_exp03600.dfm");
    } catch (const Exception& error) {
        return error.what();
    }
    return "";
}

TEST(DfmErrors, NameSourceLineColumnAndWhatWasExpected) {
    EXPECT_EQ(ErrorOf("object frm: TForm\n  Left = 1\n  Caption 'x'\nend\n"),
              "Cli_exp03600.dfm, linha 3, coluna 11: esperado '=' depois de 'Caption', "
              "encontrado um texto");
    EXPECT_EQ(ErrorOf("object frm: TForm\n  Caption =\nend\n"),
              "Cli_exp03600.dfm, linha 3, coluna 1: esperado um valor para 'Caption', "
              "encontrado 'end'");
    EXPECT_EQ(ErrorOf(""),
              "Cli_exp03600.dfm, linha 1, coluna 1: esperado 'object', "
              "'inherited' ou 'inline', encontrado o fim do arquivo");
    EXPECT_EQ(ErrorOf("object : TForm\nend"),
              "Cli_exp03600.dfm, linha 1, coluna 8: esperado o nome do objeto depois de "
              "'object', encontrado ':'");
}

TEST(DfmErrors, UnbalancedBlocks) {
    EXPECT_EQ(ErrorOf("object a: TA\n  object b: TB\n    Left = 1\nend\n"),
              "Cli_exp03600.dfm, linha 5, coluna 1: esperado 'end' para fechar o objeto 'a' "
              "aberto na linha 1, encontrado o fim do arquivo");
    EXPECT_EQ(ErrorOf("object a: TA\nend\nend\n"),
              "Cli_exp03600.dfm, linha 3, coluna 1: conteúdo depois do fim do objeto 'a', "
              "encontrado 'end'");
    EXPECT_THAT(ErrorOf("object a: TA\n  S = ('x'\n    'y'\nend\n"),
                HasSubstr("esperado ')' para fechar a lista de 'S' aberta na linha 2"));
    EXPECT_THAT(ErrorOf("object a: TA\n  F = [fsBold fsItalic]\nend"),
                HasSubstr("linha 2, coluna 15: esperado ',' ou ']' no conjunto de 'F'"));
    EXPECT_THAT(ErrorOf("object a: TA\n  F = [fsBold,]\nend"),
                HasSubstr("esperado um identificador no conjunto de 'F', encontrado ']'"));
    EXPECT_THAT(ErrorOf("object a: TA\n  P = <item Name = 'x' end\nend"),
                HasSubstr("linha 3, coluna 1: esperado 'item' ou '>' na coleção de 'P'"));
    EXPECT_THAT(ErrorOf("object a: TA\n  P = <item Name = 'x'>\nend"),
                HasSubstr("esperado uma propriedade ou 'end' no item aberto na linha 2"));
    EXPECT_THAT(ErrorOf("object a: TA\n  object b: TB\n  end\n  Left = 1\nend"),
                HasSubstr("linha 4, coluna 3: propriedade 'Left' depois dos objetos de 'a'"));
    EXPECT_THAT(ErrorOf("object a: TA\n  = 1\nend"),
                HasSubstr("esperado uma propriedade, um objeto ou 'end' em 'a', encontrado '='"));
}

TEST(DfmErrors, BadStrings) {
    EXPECT_EQ(ErrorOf("object a: TA\n  Caption = 'sem fim\nend\n"),
              "Cli_exp03600.dfm, linha 2, coluna 13: texto sem o apóstrofo de fechamento");
    EXPECT_THAT(ErrorOf("object a: TA\n  Caption = 'x' +\nend"),
                HasSubstr("linha 3, coluna 1: esperado um texto depois de '+'"));
    EXPECT_THAT(ErrorOf("object a: TA\n  Caption = #\nend"),
                HasSubstr("linha 2, coluna 13: esperado o número do caractere depois de '#'"));
    EXPECT_THAT(ErrorOf("object a: TA\n  Caption = #1114112\nend"),
                HasSubstr("código de caractere fora do intervalo"));
    EXPECT_THAT(ErrorOf("object a: TA\n  Caption = #99999999999999999999999\nend"),
                HasSubstr("código de caractere fora do intervalo"));
    EXPECT_THAT(ErrorOf("object a: TA\n  Caption = #56832\nend"),
                HasSubstr("código de caractere #56832 inválido"));
    EXPECT_THAT(ErrorOf("object a: TA\n  Caption = #55357'x'\nend"),
                HasSubstr("código de caractere #55357 sem a sua segunda metade"));
}

TEST(DfmErrors, BadNumbersBinaryAndCharacters) {
    EXPECT_THAT(ErrorOf("object a: TA\n  Left = 12px\nend"),
                HasSubstr("linha 2, coluna 10: número inválido: 12px"));
    EXPECT_THAT(ErrorOf("object a: TA\n  Left = 99999999999999999999\nend"),
                HasSubstr("número fora do intervalo: 99999999999999999999"));
    EXPECT_THAT(ErrorOf("object a: TA\n  Left = $\nend"), HasSubstr("número inválido: $"));
    EXPECT_THAT(ErrorOf("object a: TA\n  D = {0A1}\nend"),
                HasSubstr("linha 2, coluna 7: dados binários com número ímpar"));
    EXPECT_THAT(ErrorOf("object a: TA\n  D = {0A\n   1G}\nend"),
                HasSubstr("linha 3, coluna 5: caractere 'G' inválido em dados binários"));
    EXPECT_THAT(ErrorOf("object a: TA\n  D = {0A0B"),
                HasSubstr("linha 2, coluna 7: dados binários sem o '}' de fechamento"));
    // Columns count characters: "ç" is one column although it takes two bytes.
    EXPECT_THAT(ErrorOf("object a: TA\n  C = 'ç' @\nend"),
                HasSubstr("linha 2, coluna 11: caractere inesperado '@'"));
    EXPECT_THAT(ErrorOf("object a: TA\n  Ação = 1\nend"),
                HasSubstr("linha 2, coluna 4: caractere inesperado 'ç'"));
    EXPECT_THAT(ErrorOf(std::string("object a: TA\n  \x01") + " = 1\nend"),
                HasSubstr("caractere inesperado #1"));
}

TEST(DfmErrors, DeepNestingIsRefusedNotACrash) {
    const std::string lists = "object a: TA\n  L = " + std::string(100000, '(');
    EXPECT_THAT(ErrorOf(lists), HasSubstr("aninhamento com mais de 200 níveis"));

    std::string objects;
    for (int i = 0; i < 100000; ++i) {
        objects += "object o: T\n";
    }
    EXPECT_THAT(ErrorOf(objects), HasSubstr("aninhamento com mais de 200 níveis"));
}

}  // namespace
}  // namespace hostfw::dfm
