#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "db/shared_database_build.h"
#include "host/data/engine.h"
#include "support/failure_of.h"
#include "support/saved_choice_checks.h"

namespace testsupport {

// "0001=4 0002=2 " : how many rows of each branch the connection reads in the table.
inline std::string BranchesSeen(hostfw::Engine& engine, const std::string& table) {
    const auto rows = engine.Query(
        "SELECT CDFILIAL, count(*) FROM " + table + " GROUP BY CDFILIAL ORDER BY CDFILIAL",
        hostfw::TParams());
    std::string seen;
    while (rows->Next())
        seen += rows->Value(0).AsString() + "=" + rows->Value(1).AsString() + " ";
    return seen;
}

// On the test rows: Maria, bound to 0001, reads only its invoices and shipping entries whatever
// the query asks, and every branch's name; Joao, of 0002 and not bound, reads every branch.
// Returns Maria's connection.
inline std::shared_ptr<hostfw::Engine> CheckABoundPersonReadsOnlyTheHomeBranch(
    const AddPersonCall& addPerson, const SignInCall& signIn) {
    const auto maria = signIn(addPerson("maria", "0001", true));
    EXPECT_EQ(BranchesSeen(*maria, "NOTAFISCAL"), "0001=4 ");
    EXPECT_EQ(BranchesSeen(*maria, "EXPEDICAO"), "0001=3 ");
    hostfw::TParams other;
    other.CreateParam("CDFILIAL").SetAsString("0002");
    EXPECT_FALSE(
        maria->Query("SELECT 1 FROM NOTAFISCAL WHERE CDFILIAL = :CDFILIAL", other)->Next());
    EXPECT_EQ(BranchesSeen(*maria, "FILIAL"), "0001=1 0002=1 0003=1 ")
        << "branch names stay readable";

    const auto joao = signIn(addPerson("joao", "0002", false));
    EXPECT_EQ(BranchesSeen(*joao, "NOTAFISCAL"), "0001=4 0002=2 0003=1 ");
    return maria;
}

// Rebuilding the demonstration tables of a database set up for shared use is refused: the tables
// made afresh would have none of its rules. The rows and the rules stay as they were.
inline void CheckAForcedRebuildIsRefused(hostfw::Engine& admin, const AddPersonCall& addPerson,
                                         const SignInCall& signIn) {
    demodb::DemodbOptions options;
    options.force = true;
    options.testData = true;
    EXPECT_NE(FailureOf([&] {
                  demodb::BuildSharedDatabase(admin, options);
              }).find("preparado para uso compartilhado"),
              std::string::npos);
    CheckABoundPersonReadsOnlyTheHomeBranch(addPerson, signIn);
}

}  // namespace testsupport
