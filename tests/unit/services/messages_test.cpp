#include <gtest/gtest.h>

#include <string>

#include "host/services/messages.h"

namespace {

class MessageTable : public ::testing::Test {
protected:
    MessageTable() {
        table.SetLines({
            "clie|Não há cliente cadastrado.",
            "data| Data inválida.",
            "Nota|Nota fiscal não informada.",
            "nota|segunda linha da mesma chave",
            "fil|Filial|não cadastrada",
            "sem barra",
            "filial|Filial não cadastrada.",
        });
    }

    hostfw::TMessages table{nullptr};
};

TEST_F(MessageTable, KeysIgnoreLetterCase) {
    EXPECT_EQ(table.Msg("CLIE"), "Não há cliente cadastrado.");
    EXPECT_EQ(table.Msg("NOTA"), "Nota fiscal não informada.");
}

TEST_F(MessageTable, TextKeepsItsLeadingBlank) {
    EXPECT_EQ(table.Msg("data"), " Data inválida.");
}

TEST_F(MessageTable, FirstMatchingLineWins) {
    EXPECT_EQ(table.Msg("nota"), "Nota fiscal não informada.");
}

TEST_F(MessageTable, TextIsEverythingAfterTheFirstBar) {
    EXPECT_EQ(table.Msg("fil"), "Filial|não cadastrada");
}

TEST_F(MessageTable, OnlyTheWholeKeyMatches) {
    EXPECT_EQ(table.Msg("filial"), "Filial não cadastrada.");
    EXPECT_EQ(table.Msg("cli"), "");
    EXPECT_EQ(table.Msg("clie2"), "");
    EXPECT_EQ(table.Msg("sem"), "");
}

TEST_F(MessageTable, UnknownKeyGivesTheEmptyText) {
    EXPECT_EQ(table.Msg("inexistente"), "");
    EXPECT_EQ(table.Msg("sem barra"), "");
    EXPECT_EQ(table.Msg(""), "");
}

}  // namespace
