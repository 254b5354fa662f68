#include "host/core/import_redirect.h"

#include <gtest/gtest.h>
#include <minizip/zip.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string>

#include "host/core/exception.h"
#include "support/test_folder.h"

namespace {

int refusedOpens = 0;

FILE* RefusingOpen(const char* /*path*/, const char* /*mode*/) {
    ++refusedOpens;
    errno = EACCES;
    return nullptr;
}

// minizip's own opening of files goes to the stand-in; the program's, through the same C
// library function, does not. (This binary zips nothing else, so the redirection may stay.)
TEST(ImportRedirect, OnlyTheChosenLibrarysCallsAreRedirected) {
    const std::filesystem::path folder = testsupport::PrivateTestFolder("exp036-redirect");
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "a.zip").string();
    hostfw::RedirectImport(reinterpret_cast<const void*>(&zipOpen), "fopen64",
                           reinterpret_cast<void*>(&RefusingOpen));
    EXPECT_EQ(zipOpen(path.c_str(), APPEND_STATUS_CREATE), nullptr);
    EXPECT_EQ(refusedOpens, 1);
    FILE* own = fopen64(path.c_str(), "w");
    ASSERT_NE(own, nullptr);
    std::fclose(own);
    EXPECT_EQ(refusedOpens, 1);
    std::filesystem::remove_all(folder);
}

TEST(ImportRedirect, WhatCannotBeRedirectedIsRefusedNamingTheFunction) {
    try {
        hostfw::RedirectImport(reinterpret_cast<const void*>(&zipOpen), "no_such_function",
                               reinterpret_cast<void*>(&RefusingOpen));
        FAIL() << "nothing was redirected, and nothing said so";
    } catch (const hostfw::Exception& e) {
        EXPECT_NE(std::string(e.what()).find("no_such_function"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("não a importa"), std::string::npos) << e.what();
    }
    // The framework's own functions: a library built into it has no import slots of its own.
    EXPECT_THROW(hostfw::RedirectImport(reinterpret_cast<const void*>(&hostfw::RedirectImport),
                                        "fopen64", reinterpret_cast<void*>(&RefusingOpen)),
                 hostfw::Exception);
}

}  // namespace
