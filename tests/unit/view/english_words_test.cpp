#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>

#include "host/view/english_words.h"

namespace {

using hostfw::view::EnglishWords;
using hostfw::view::EnglishWordsOn;

TEST(EnglishWords, WholeWordsOfTheToolkitAndTheTranscriptAreFoundAndPortugueseIsNot) {
    EXPECT_EQ(EnglishWords("printed: /tmp/r.pdf"), QStringList("printed"));
    EXPECT_TRUE(EnglishWords("Banco: /tmp/saved/call.sqlite; saved_choices").isEmpty())
        << "paths and file names are the person's own";
    EXPECT_EQ(EnglishWords("&Cancel"), QStringList("Cancel")) << "the mnemonic mark aside";
    EXPECT_TRUE(EnglishWords("Relatório impresso em PDF_1 (impressora padrão).").isEmpty());
    EXPECT_TRUE(EnglishWords("Status da nota; OK; Zoom 100%; Cancelar; Impressora").isEmpty());
    EXPECT_TRUE(EnglishWords("Editar").isEmpty()) << "a word containing one is not that word";
}

TEST(EnglishWords, QtsOwnButtonsSpeakPortugueseOnceTheCatalogueIsLoaded) {
    // The view's tests set the desktop up as the host does, pt_BR catalogue included.
    QMessageBox box(QMessageBox::Question, QStringLiteral("Consultas salvas"),
                    QStringLiteral("Excluir?"), QMessageBox::Yes | QMessageBox::No);
    box.show();
    EXPECT_EQ(EnglishWordsOn(box), QStringList());
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove('&'), QString("Sim"));
    QDialogButtonBox buttons(QDialogButtonBox::Save | QDialogButtonBox::Close);
    buttons.show();
    EXPECT_EQ(EnglishWordsOn(buttons), QStringList());
}

}  // namespace
