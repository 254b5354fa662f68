#pragma once

#include <istream>
#include <ostream>

#include "admin_options.h"

namespace hostfw {
class Engine;
}

namespace admin {

// user add: a login role with the encrypted password, a member of the people's group, and its
// row in USUARIO, in one transaction.
void AddPerson(hostfw::Engine& engine, const AdminCommand& command, std::istream& in);
// user list: one line a person, login first.
void ListPeople(hostfw::Engine& engine, std::ostream& out);
// user disable: the row marked inactive, the role unable to log in, its connections ended.
void DisablePerson(hostfw::Engine& engine, const AdminCommand& command);
// user set-branch: the home branch, and the binding when --bound or --free says so.
void SetPersonBranch(hostfw::Engine& engine, const AdminCommand& command);

}  // namespace admin
