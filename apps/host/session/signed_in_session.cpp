#include "session/signed_in_session.h"

#include "host/core/exception.h"
#include "host/net/server_credentials.h"
#include "host/session/session.h"
#include "host/ui/host_context.h"
#include "session/person_limits.h"

namespace host {

void SignInForRun(const HostOptions& options, const CredentialsPrompt& prompt,
                  std::ostream* transcript) {
    const std::optional<hostfw::Credentials> credentials = SignIn(prompt);
    hostfw::SetServerCredentials([credentials] { return credentials; });
    if (const auto refusal = BranchRefusal(options.branch))
        throw hostfw::Exception(*refusal);
    const auto& person = hostfw::ProcessContext().Session().person;
    if (person && transcript != nullptr)
        *transcript << "Pessoa: " << person->login << " (" << person->name << ")\n" << std::flush;
}

}  // namespace host
