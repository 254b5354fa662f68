#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace testsupport {

// A folder under the system's temporary folder for the running test alone: named after the
// test and the process, so runs of the same test from other build folders never share it. A
// parameterised test's name ("Test/param") gives one folder too, not a folder within a folder
// that removing it would leave behind.
inline std::filesystem::path PrivateTestFolder(const std::string& prefix) {
    std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    for (char& c : test)
        c = c == '/' ? '_' : c;
    return std::filesystem::temp_directory_path() /
           (prefix + "-" + std::to_string(getpid()) + "-" + test);
}

}  // namespace testsupport
