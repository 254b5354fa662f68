#include <gtest/gtest.h>

#include "choices/saved_choice.h"
#include "host/core/exception.h"
#include "support/published_test_options.h"

namespace host {
namespace {

using hostfw::FormChoice;

// Rows kept before choices were typed, read through the options a unit publishes.
using StoredChoiceText = testsupport::PublishedTestOptions;

TEST_F(StoredChoiceText, AnUntypedRowIsReadAsTheTypedChoiceItMeant) {
    const FormChoice read = ReadStoredChoice(
        R"({"branch":"0002","variant":1,"from":"01/01/2025","to":"","statuses":"E",)"
        R"("clients":["1","a \"b\",c"],"invoices":[]})",
        "antiga");
    EXPECT_EQ(Control(read, "edtBranch").text, "0002");
    EXPECT_EQ(Control(read, "cbbVariant").index, 1);
    EXPECT_EQ(Control(read, "dateFrom").text, "01/01/2025");
    EXPECT_EQ(Control(read, "dateTo").text, "") << "a date kept blank stays blank";
    EXPECT_FALSE(Control(read, "boxP").checked);
    EXPECT_TRUE(Control(read, "boxE").checked);
    EXPECT_TRUE(Control(read, "allDest").checked) << "all destinations: nothing picked";
    ASSERT_EQ(read.lists.size(), 2u);
    EXPECT_EQ(read.lists[0].opener, "btnClients");
    EXPECT_EQ(read.lists[0].keys, (std::vector<std::string>{"1", "a \"b\",c"}));
    EXPECT_TRUE(read.lists[0].keysMayBeGone) << "a client gone since is left out";
    EXPECT_EQ(read.lists[1].opener, "btnInv");
    EXPECT_TRUE(read.lists[1].keys.empty());
}

TEST_F(StoredChoiceText, AnUntypedRowWithoutABranchLeavesTheFieldAndARuleStaysARule) {
    const FormChoice read = ReadStoredChoice(R"({"period":"Mês anterior"})", "mensal");
    EXPECT_FALSE(Has(read, "edtBranch"));
    EXPECT_EQ(Control(read, "dateFrom").dateRule, "Mês anterior");
    EXPECT_TRUE(Control(read, "dateTo").ruleLastDay);
    EXPECT_FALSE(Has(read, "boxP")) << "statuses not kept: left as the form has them";
}

TEST_F(StoredChoiceText, ATypedRowIsReadAsItIs) {
    FormChoice typed;
    typed.controls.push_back(hostfw::CheckedChoice("someControl", true));
    typed.lists.push_back({"someOpener", {"9"}, true});
    const FormChoice read = ReadStoredChoice(hostfw::FormChoiceText(typed), "nova");
    EXPECT_EQ(hostfw::FormChoiceText(read), hostfw::FormChoiceText(typed));
}

TEST_F(StoredChoiceText, ABrokenTextOrAnUnknownRuleIsRefusedByName) {
    EXPECT_THROW(ReadStoredChoice("{\"variant\": \"x\"}", "a"), hostfw::Exception);
    EXPECT_THROW(ReadStoredChoice("nada", "a"), hostfw::Exception);
    EXPECT_THROW(ReadStoredChoice("[]", "a"), hostfw::Exception);
    EXPECT_THROW(ReadStoredChoice("{\"period\": \"Semana que vem\"}", "a"), hostfw::Exception);
    try {
        ReadStoredChoice("nada", "Fechamento");
        FAIL();
    } catch (const hostfw::Exception& e) {
        EXPECT_STREQ(e.what(), "A consulta salva \"Fechamento\" está danificada.");
    }
}

}  // namespace
}  // namespace host
