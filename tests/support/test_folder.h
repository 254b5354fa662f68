#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace testsupport {

// A folder under the system's temporary folder for the running test alone: named after the
// test and the process, so runs of the same test from other build folders never share it.
inline std::filesystem::path PrivateTestFolder(const std::string& prefix) {
    return std::filesystem::temp_directory_path() /
           (prefix + "-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
}

}  // namespace testsupport
