#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/services/wait_animation.h"
#include "support/fake_host_ui.h"

namespace {

class WaitAnimation : public testsupport::FakeUiTest {
protected:
    ~WaitAnimation() override { hostfw::DeactiveShowAvi(context); }
};

TEST_F(WaitAnimation, HidingTwiceIsHarmless) {
    hostfw::ActiveShowAvi(context, nullptr, 6);
    EXPECT_TRUE(hostfw::ShowAviActive(context));
    hostfw::DeactiveShowAvi(context);
    hostfw::DeactiveShowAvi(context);
    EXPECT_FALSE(hostfw::ShowAviActive(context));
    EXPECT_EQ(ui.notes.size(), 2u) << "one line when shown, one when hidden";
}

TEST_F(WaitAnimation, ShowingTwiceShowsOneAnimation) {
    hostfw::ActiveShowAvi(context, nullptr, 6);
    hostfw::ActiveShowAvi(context, nullptr, 6);
    hostfw::DeactiveShowAvi(context);
    EXPECT_FALSE(hostfw::ShowAviActive(context));
    EXPECT_EQ(ui.notes.size(), 2u);
}

TEST_F(WaitAnimation, HidingWhenNoneIsShownDoesNothing) {
    hostfw::DeactiveShowAvi(context);
    EXPECT_TRUE(ui.notes.empty());
}

// Two programs in one process: the animation over one's windows is neither shown over the
// other's nor kept from it, and hiding one leaves the other's up.
TEST_F(WaitAnimation, EachContextHasItsOwn) {
    hostfw::HostContext other;
    testsupport::FakeHostUi otherUi;
    other.Application().SetUi(&otherUi);
    hostfw::ActiveShowAvi(context, nullptr, 6);
    EXPECT_FALSE(hostfw::ShowAviActive(other));
    EXPECT_TRUE(otherUi.notes.empty());

    hostfw::ActiveShowAvi(other, nullptr, 6);
    EXPECT_TRUE(hostfw::ShowAviActive(other));
    EXPECT_EQ(otherUi.notes.size(), 1u) << "shown over the other's windows too";
    hostfw::DeactiveShowAvi(other);
    EXPECT_TRUE(hostfw::ShowAviActive(context)) << "hiding the other's leaves this one up";
    EXPECT_EQ(ui.notes.size(), 1u);
    other.Application().SetUi(nullptr);
}

}  // namespace
