#pragma once

#include <string>

#include "host/data/saved_choices.h"
#include "host/session/session.h"

namespace host {

// This machine's name, as the audit records where a report ran.
std::string HostName();

// Whose saved choices the host uses in the session: the signed-in person and their home branch,
// or else the system login and the session's branch.
hostfw::ChoiceOwner CurrentChoiceOwner(const hostfw::SessionSettings& session);

}  // namespace host
