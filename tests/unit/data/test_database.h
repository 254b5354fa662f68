#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "db/demo_data.h"
#include "host/data/data_context.h"
#include "host/data/engine.h"
#include "support/test_folder.h"

namespace datatest {

// A fresh SQLite file with the fixed test rows, made the shared database of the context's
// session for the lifetime of the fixture; the session is as it was afterwards.
class TestDatabase : public ::testing::Test {
protected:
    explicit TestDatabase(hostfw::DataContext& context)
        : context_(context), saved_(context.Session()) {
        std::filesystem::create_directories(folder_);
        const std::string path = (folder_ / "teste.sqlite").string();
        demodb::BuildTestDatabase(*hostfw::OpenDatabase(path, true));
        context_.Session().database = path;
    }
    ~TestDatabase() override {
        context_.Database().Close();
        context_.Session() = saved_;
        std::filesystem::remove_all(folder_);
    }

private:
    hostfw::DataContext& context_;
    hostfw::SessionSettings saved_;
    std::filesystem::path folder_ = testsupport::PrivateTestFolder("exp036-data");
};

}  // namespace datatest
