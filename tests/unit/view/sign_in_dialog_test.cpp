// The sign-in dialog: what it shows, what it answers, and the person signed in through it on a
// shared PostgreSQL database.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "host/session/session.h"
#include "host/ui/host_context.h"
#include "host/view/qt_host_ui.h"
#include "host/view/sign_in_dialog.h"
#include "session/sign_in.h"
#include "support/shared_use_database.h"

namespace {

using hostfw::view::SignInDialog;

// What the person does in the dialog once it is on screen; what it showed is kept.
struct Typing {
    std::string user;
    std::string password;
    bool cancel = false;
};

class SignInDialogTest : public ::testing::Test {
protected:
    SignInDialogTest() {
        ui.SetShownHook([this](QWidget& widget) {
            auto* dialog = dynamic_cast<SignInDialog*>(&widget);
            ASSERT_NE(dialog, nullptr);
            shownFailures.push_back(dialog->Failure().isVisible()
                                        ? dialog->Failure().text().toStdString()
                                        : std::string());
            EXPECT_EQ(dialog->Password().echoMode(), QLineEdit::Password);
            ASSERT_LT(next, typing.size());
            const Typing& now = typing[next++];
            if (now.cancel) {
                QTest::keyClick(dialog, Qt::Key_Escape);
                return;
            }
            dialog->User().clear();
            QTest::keyClicks(&dialog->User(), QString::fromStdString(now.user));
            QTest::keyClicks(&dialog->Password(), QString::fromStdString(now.password));
            QTest::keyClick(&dialog->Password(), Qt::Key_Return);
        });
    }

    hostfw::HostContext context;
    hostfw::view::QtHostUi ui{context.Screen()};
    std::vector<Typing> typing;
    std::size_t next = 0;
    std::vector<std::string> shownFailures;
};

TEST_F(SignInDialogTest, AnswersWhatWasTypedOrNothingWhenThePersonGivesUp) {
    typing = {{"ana", "s3nh@ com espaco"}, {"", "", true}};
    const auto typed = ui.AskCredentials("Usuário ou senha incorretos.");
    ASSERT_TRUE(typed.has_value());
    EXPECT_EQ(typed->user, "ana");
    EXPECT_EQ(typed->password, "s3nh@ com espaco") << "the password as typed, blanks included";
    EXPECT_FALSE(ui.AskCredentials("").has_value());
    EXPECT_EQ(shownFailures, (std::vector<std::string>{"Usuário ou senha incorretos.", ""}))
        << "the reason it asks again, and none the first time";
}

class PgSignInDialog : public testsupport::SharedUseTest {
protected:
    void TearDown() override { context.Database().Close(); }

    hostfw::HostContext context;
};

TEST_F(PgSignInDialog, ARefusedPasswordIsAskedAgainAndTheAcceptedOneSignsThePersonIn) {
    const std::string maria = database->AddPerson("maria", "0001", true);
    context.Session().database = database->TcpConnection();
    hostfw::view::QtHostUi ui(context.Screen());
    std::vector<std::string> failures;
    const std::vector<std::pair<std::string, std::string>> typed = {
        {maria, "errada"}, {maria, testsupport::SharedUseDatabase::Password(maria)}};
    std::size_t next = 0;
    ui.SetShownHook([&](QWidget& widget) {
        auto& dialog = static_cast<SignInDialog&>(widget);
        failures.push_back(dialog.Failure().text().toStdString());
        QTest::keyClicks(&dialog.User(), QString::fromStdString(typed[next].first));
        QTest::keyClicks(&dialog.Password(), QString::fromStdString(typed[next].second));
        ++next;
        QTest::keyClick(&dialog.Password(), Qt::Key_Return);
    });

    host::SignIn(context, [&ui](const std::string& failure) { return ui.AskCredentials(failure); });

    ASSERT_TRUE(context.Session().person.has_value());
    EXPECT_EQ(context.Session().person->login, maria);
    EXPECT_EQ(hostfw::FiliProc(context.Session()), "0001");
    EXPECT_EQ(failures, (std::vector<std::string>{"", "Usuário ou senha incorretos."}));
}

}  // namespace
