#include "session/signed_in_session.h"

#include "host/core/exception.h"
#include "host/session/session.h"
#include "session/person_limits.h"

namespace host {

void SignInForRun(hostfw::NetContext& context, const HostOptions& options,
                  const CredentialsPrompt& prompt, std::ostream* transcript) {
    const std::optional<hostfw::Credentials> credentials = SignIn(context, prompt);
    context.SetServerCredentials([credentials] { return credentials; });
    if (const auto refusal = BranchRefusal(context.Session(), options.branch))
        throw hostfw::Exception(*refusal);
    const auto& person = context.Session().person;
    if (person && transcript != nullptr)
        *transcript << "Pessoa: " << person->login << " (" << person->name << ")\n" << std::flush;
}

}  // namespace host
