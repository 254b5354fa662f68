#include <gtest/gtest.h>

#include "host/base_form/message_format.h"

namespace {

using hostfw::FormatMessage;

TEST(MessageFormat, FillsThePlacesInOrderAndNeverRefillsAnArgument) {
    EXPECT_EQ(FormatMessage("código '%s' no diretório '%s'.", {"EXP036", "/rel/%s"}),
              "código 'EXP036' no diretório '/rel/%s'.");
    EXPECT_EQ(FormatMessage("100%% de '%s'", {"a"}), "100% de 'a'");
    EXPECT_EQ(FormatMessage("%s e %s", {"só um"}), "só um e ");
    EXPECT_EQ(FormatMessage("sem lugar", {"sobra"}), "sem lugar");
    EXPECT_EQ(FormatMessage("fim %", {}), "fim %");
}

}  // namespace
