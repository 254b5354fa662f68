#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/services/wait_animation.h"
#include "support/fake_host_ui.h"

namespace {

class WaitAnimation : public testsupport::FakeUiTest {
protected:
    ~WaitAnimation() override { hostfw::DeactiveShowAvi(); }
};

TEST_F(WaitAnimation, HidingTwiceIsHarmless) {
    hostfw::ActiveShowAvi(nullptr, 6);
    EXPECT_TRUE(hostfw::ShowAviActive());
    hostfw::DeactiveShowAvi();
    hostfw::DeactiveShowAvi();
    EXPECT_FALSE(hostfw::ShowAviActive());
    EXPECT_EQ(ui.notes.size(), 2u) << "one line when shown, one when hidden";
}

TEST_F(WaitAnimation, ShowingTwiceShowsOneAnimation) {
    hostfw::ActiveShowAvi(nullptr, 6);
    hostfw::ActiveShowAvi(nullptr, 6);
    hostfw::DeactiveShowAvi();
    EXPECT_FALSE(hostfw::ShowAviActive());
    EXPECT_EQ(ui.notes.size(), 2u);
}

TEST_F(WaitAnimation, HidingWhenNoneIsShownDoesNothing) {
    hostfw::DeactiveShowAvi();
    EXPECT_TRUE(ui.notes.empty());
}

}  // namespace
