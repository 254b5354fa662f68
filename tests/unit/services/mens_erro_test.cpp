#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core/exception.h"
#include "host/services/mens_erro.h"
#include "host/ui/application.h"
#include "support/fake_host_ui.h"

namespace {

class MensErroService : public testsupport::FakeUiTest {};

TEST_F(MensErroService, ShowsTheTextThenRaisesTheSilentAbort) {
    bool shownBeforeAbort = false;
    ui.whileMessageShown = [&](const auto&) { shownBeforeAbort = true; };
    EXPECT_THROW(hostfw::MensErro(Application(), "Filial não informada.", true), hostfw::EAbort);
    EXPECT_TRUE(shownBeforeAbort);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Filial não informada.");
    EXPECT_EQ(ui.messages[0].kind, hostfw::MessageKind::Error);
}

TEST_F(MensErroService, InAHandlerTheUserSeesTheTextOnce) {
    bool reachedEnd = false;
    Application().Dispatch([&] {
        hostfw::MensErro(Application(), "Data inválida.", true);
        reachedEnd = true;
    });
    EXPECT_FALSE(reachedEnd);
    EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"Data inválida."}));
}

TEST_F(MensErroService, GuardedBlocksCleanUpAndPassTheAbortOn) {
    std::vector<std::string> steps;
    Application().Dispatch([&] {
        try {
            hostfw::MensErro(Application(), "x", true);
        } catch (...) {
            steps.push_back("cleanup");
            throw;
        }
    });
    EXPECT_EQ(steps, (std::vector<std::string>{"cleanup"}));
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(MensErroService, WithoutAbortItReturns) {
    EXPECT_NO_THROW(hostfw::MensErro(Application(), "aviso", false));
    EXPECT_EQ(ui.messages.size(), 1u);
}

}  // namespace
