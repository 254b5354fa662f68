#pragma once

#include <optional>
#include <string>

#include "host/session/session.h"

namespace host {

// A signed-in person's session may be narrowed by options and script lines, never widened: a
// person bound to a home branch stays bound to it. Each check gives the refusal to show, in
// Portuguese, or nullopt when the change is allowed. Without a person everything is allowed.

// Working in `branch` (a code as typed: "1" is branch "0001").
std::optional<std::string> BranchRefusal(const hostfw::SessionSettings& session,
                                         const std::string& branch);
// Setting the bound flag (ModuFili) to `bound`.
std::optional<std::string> BindingRefusal(const hostfw::SessionSettings& session, bool bound);
// Switching the session to another database, which the person did not sign in to.
std::optional<std::string> DatabaseChangeRefusal(const hostfw::SessionSettings& session);

}  // namespace host
