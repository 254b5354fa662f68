// The wait for a call to the application server: Cancelar or Escape gives the call up, and the
// wait closes by itself once the call is done.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>

#include <chrono>
#include <stop_token>
#include <thread>

#include "host/net/pending_call.h"
#include "host/view/call_wait_dialog.h"

namespace {

using namespace std::chrono_literals;
using hostfw::CallReply;
using hostfw::PendingCall;
using hostfw::view::CallWaitDialog;

// A call that runs until it is given up, as one to a server that takes minutes.
CallReply UntilGivenUp(std::stop_token stop) {
    while (!stop.stop_requested())
        std::this_thread::sleep_for(5ms);
    return {};
}

TEST(CallWait, EscapeAndCancelarEachGiveTheCallUp) {
    for (const bool escape : {true, false}) {
        PendingCall call("GetNota", UntilGivenUp);
        CallWaitDialog wait(call, nullptr);
        wait.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&wait));
        EXPECT_TRUE(wait.CancelButton().hasFocus());
        if (escape)
            QTest::keyClick(&wait, Qt::Key_Escape);
        else
            QTest::mouseClick(&wait.CancelButton(), Qt::LeftButton);
        EXPECT_TRUE(call.Cancelled()) << (escape ? "Esc" : "Cancelar");
        EXPECT_FALSE(wait.isVisible());
        EXPECT_EQ(wait.result(), QDialog::Rejected);
        EXPECT_THROW(call.TakeReply(), hostfw::CallCancelled);
    }
}

TEST(CallWait, TheWaitClosesByItselfOnceTheCallIsDone) {
    PendingCall call("GetNota", [](std::stop_token) {
        std::this_thread::sleep_for(100ms);
        return CallReply{};
    });
    CallWaitDialog wait(call, nullptr);
    wait.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !wait.isVisible(); }, 10000));
    EXPECT_EQ(wait.result(), QDialog::Accepted);
    EXPECT_FALSE(call.Cancelled());
    EXPECT_NO_THROW(call.TakeReply());
}

}  // namespace
