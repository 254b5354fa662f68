#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "db/demo_data.h"
#include "host/data/engine.h"
#include "host/data/shared_database.h"
#include "host/session/session.h"
#include "support/test_folder.h"

namespace datatest {

// A fresh SQLite file with the fixed test rows, made the session's shared database for the
// lifetime of the fixture.
class TestDatabase : public ::testing::Test {
protected:
    TestDatabase() : saved_(hostfw::Session()) {
        std::filesystem::create_directories(folder_);
        const std::string path = (folder_ / "teste.sqlite").string();
        demodb::BuildTestDatabase(*hostfw::OpenDatabase(path, true));
        hostfw::Session().database = path;
    }
    ~TestDatabase() override {
        hostfw::CloseSharedDatabase();
        hostfw::Session() = saved_;
        std::filesystem::remove_all(folder_);
    }

private:
    hostfw::SessionSettings saved_;
    std::filesystem::path folder_ = testsupport::PrivateTestFolder("exp036-data");
};

}  // namespace datatest
