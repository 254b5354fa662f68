#pragma once

#include <optional>
#include <string>
#include <vector>

namespace admin {

// One exp036-admin command line, as read.
struct AdminCommand {
    enum class Kind { Help, Setup, UserAdd, UserList, UserDisable, UserSetBranch, Audit };
    Kind kind = Kind::Help;
    std::string database;  // the administrator's PostgreSQL or Firebird connection
    std::string login;
    std::string name;
    std::string branch;
    std::optional<bool> bound;  // user add: false unless --bound; set-branch: kept unless given
    bool passwordFromStdin = false;
    std::optional<std::string> since;  // audit: yyyy-mm-dd
    std::optional<std::string> user;
    bool csv = false;
};

// Reads the arguments after the program name; raises hostfw::Exception with a Portuguese
// message for anything it cannot use.
AdminCommand ParseAdminCommand(const std::vector<std::string>& arguments);

// A login a person can have: lower-case letters, digits, "_", "." and "-", starting with a letter
// or "_", at most 63 characters, and none of the database's own or the product's group names.
bool IsPersonLogin(const std::string& login);

extern const char* const kAdminUsage;

}  // namespace admin
