#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "host/core/exception.h"
#include "host/ui/application.h"
#include "support/fake_host_ui.h"

namespace {

using hostfw::MessageKind;

class EventLoop : public testsupport::FakeUiTest {};

TEST_F(EventLoop, SilentAbortIsSwallowedWithoutAMessage) {
    bool after = false;
    Application().Dispatch([] { hostfw::Abort(); });
    Application().Dispatch([&] { after = true; });
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(after) << "the loop goes on after an abort";
}

TEST_F(EventLoop, OtherFailuresAreShownOnceAsFailures) {
    Application().Dispatch([] { throw hostfw::Exception("Banco de dados indisponível."); });
    Application().Dispatch([] { throw std::runtime_error("outra"); });
    Application().Dispatch([] { throw 42; });
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].text, "Banco de dados indisponível.");
    EXPECT_EQ(ui.messages[1].text, "outra");
    EXPECT_FALSE(ui.messages[2].text.empty());
    for (const auto& m : ui.messages)
        EXPECT_EQ(m.kind, MessageKind::Failure);
}

TEST_F(EventLoop, NestedEventsEachHandleTheirOwnFailure) {
    Application().Dispatch([this] {
        Application().Dispatch([] { throw hostfw::Exception("dentro"); });
        throw hostfw::Exception("fora");
    });
    EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"dentro", "fora"}));
}

}  // namespace
