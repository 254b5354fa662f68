#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/demodb_options.h"
#include "host/core/exception.h"

namespace {

using demodb::ParseDemodbOptions;
using Args = std::vector<std::string>;

// The message a command line is refused with, "" when it is accepted.
std::string Refusal(const Args& args) {
    try {
        ParseDemodbOptions(args);
    } catch (const hostfw::Exception& error) {
        return error.what();
    }
    return "";
}

TEST(DemodbOptions, DefaultsAndValues) {
    const auto plain = ParseDemodbOptions({"demo.sqlite"});
    EXPECT_EQ(plain.database, "demo.sqlite");
    EXPECT_EQ(plain.invoices, 5000);
    EXPECT_EQ(plain.clients, 300);
    EXPECT_EQ(plain.seed, 1u);
    EXPECT_FALSE(plain.force);
    const auto full =
        ParseDemodbOptions({"--invoices", "1000000", "x.sqlite", "--seed", "18446744073709551615",
                            "--force", "--clients", "1000000"});
    EXPECT_EQ(full.database, "x.sqlite");
    EXPECT_EQ(full.invoices, 1000000);
    EXPECT_EQ(full.clients, 1000000);
    EXPECT_EQ(full.seed, 18446744073709551615u);
    EXPECT_TRUE(full.force);
}

TEST(DemodbOptions, HelpNeedsNothingElse) {
    EXPECT_TRUE(ParseDemodbOptions({"--help"}).help);
    EXPECT_TRUE(ParseDemodbOptions({"-h"}).help);
}

TEST(DemodbOptions, BadNumbersAreRefusedNamingTheOption) {
    for (const std::string bad : {"", "-1", "1e6", "12a", "10000000000", " 5"}) {
        const std::string message = Refusal({"d.sqlite", "--invoices", bad});
        EXPECT_NE(message.find("--invoices"), std::string::npos) << "\"" << bad << "\"";
    }
    EXPECT_NE(Refusal({"d.sqlite", "--seed", "18446744073709551616"}).find("--seed"),
              std::string::npos);
    for (const std::string bad : {"0", "10000000", "-3"}) {
        const std::string message = Refusal({"d.sqlite", "--clients", bad});
        EXPECT_NE(message.find("--clients espera um número inteiro de 1 a 9999999"),
                  std::string::npos)
            << "\"" << bad << "\": every invoice needs a client";
    }
}

TEST(DemodbOptions, MissingValueOrDatabaseIsRefused) {
    EXPECT_NE(Refusal({"d.sqlite", "--invoices"}), "");
    EXPECT_NE(Refusal({}), "");
    EXPECT_NE(Refusal({"--force"}), "");
}

TEST(DemodbOptions, UnknownOptionsAndSecondDatabasesAreRefused) {
    EXPECT_NE(Refusal({"d.sqlite", "--invoice", "5"}).find("--invoice"), std::string::npos);
    EXPECT_NE(Refusal({"a.sqlite", "b.sqlite"}), "");
}

TEST(DemodbOptions, TestDataTakesNoDemoOptions) {
    EXPECT_TRUE(ParseDemodbOptions({"t.sqlite", "--test-data"}).testData);
    EXPECT_NE(Refusal({"t.sqlite", "--test-data", "--seed", "3"}), "");
}

}  // namespace
