#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "host/core/exception.h"
#include "host/data/engine.h"
#include "host/data/saved_choices.h"

namespace testsupport {

using AddPersonCall =
    std::function<std::string(const std::string& name, const std::string& branch, bool bound)>;
using SignInCall = std::function<std::shared_ptr<hostfw::Engine>(const std::string& login)>;

// What the database of a shared use decides about saved choices, whatever the host claims: Ana
// and Bia of 0001 and Caio of 0002, none bound; Ana keeps a shared choice, a private one and
// her last query. Bia sees the shared one only and saves none in Ana's name; Caio, of another
// branch, sees none even claiming 0001, and saves none there. Returns Ana's and Bia's logins.
inline std::pair<std::string, std::string> CheckChoicesAreOwnOrSharedInTheHomeBranch(
    const AddPersonCall& addPerson, const SignInCall& signIn) {
    const std::string ana = addPerson("ana", "0001", false);
    const std::string bia = addPerson("bia", "0001", false);
    const std::string caio = addPerson("caio", "0002", false);
    const auto asAna = signIn(ana);
    hostfw::SaveChoice(*asAna, {ana, "0001"}, "EXP036", "mensal", true, "{}");
    hostfw::SaveChoice(*asAna, {ana, "0001"}, "EXP036", "minha", false, "{}");
    hostfw::KeepLastQuery(*asAna, {ana, "0001"}, "EXP036", "{\"variant\":1}");
    hostfw::KeepLastQuery(*asAna, {ana, "0001"}, "EXP036", "{\"variant\":0}");
    EXPECT_EQ(hostfw::LastQuery(*asAna, {ana, "0001"}, "EXP036"), "{\"variant\":0}");

    const auto asBia = signIn(bia);
    EXPECT_TRUE(hostfw::FindChoice(*asBia, {bia, "0001"}, "EXP036", "mensal"));
    EXPECT_FALSE(hostfw::FindChoice(*asBia, {bia, "0001"}, "EXP036", "minha"));
    EXPECT_THROW(hostfw::SaveChoice(*asBia, {ana, "0001"}, "EXP036", "falsa", true, "{}"),
                 hostfw::Exception)
        << "a row in someone else's name";

    const auto asCaio = signIn(caio);
    EXPECT_TRUE(hostfw::ListChoices(*asCaio, {caio, "0002"}, "EXP036").empty());
    EXPECT_TRUE(hostfw::ListChoices(*asCaio, {caio, "0001"}, "EXP036").empty())
        << "claiming another branch shows nothing: the database knows the person's branch";
    EXPECT_THROW(hostfw::SaveChoice(*asCaio, {caio, "0001"}, "EXP036", "x", true, "{}"),
                 hostfw::Exception);
    return {ana, bia};
}

}  // namespace testsupport
