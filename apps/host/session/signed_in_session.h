#pragma once

#include <ostream>

#include "command_line/host_options.h"
#include "host/net/net_context.h"
#include "session/sign_in.h"

namespace host {

// Signs the person in once the options are in the context's session (SignIn) and gives the
// context's connections the person's credentials for the application server, refuses options that
// would widen a signed-in person's session, and names the person in the transcript, when
// there is one ("Pessoa: LOGIN (Nome)"). Raises with a Portuguese message when the run must
// not start.
void SignInForRun(hostfw::NetContext& context, const HostOptions& options,
                  const CredentialsPrompt& prompt, std::ostream* transcript);

}  // namespace host
