#include "host/data/fb_attachment.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "host/core/exception.h"
#include "host/data/fb_environment.h"
#include "host/data/sign_in_refused.h"

namespace hostfw::fb {
namespace {

// Without a limit, connecting to a host that does not answer would wait a long time.
constexpr int kConnectTimeoutSeconds = 10;

std::string FolderOfLocks() {
    const char* folder = std::getenv("FIREBIRD_LOCK");
    return folder != nullptr && *folder != '\0' ? folder : "/tmp/firebird";
}

// What keeps an embedded database from opening that a person can put right.
std::string EmbeddedHint(const FirebirdDatabase& database) {
    if (!database.embedded)
        return "";
    const std::string locks = FolderOfLocks();
    if (::access(locks.c_str(), R_OK | W_OK | X_OK) != 0) {
        return " (o Firebird embutido guarda as travas em " + locks +
               ", que este usuário não pode usar: inclua-o no grupo firebird)";
    }
    return "";
}

[[noreturn]] void FailToOpen(const FirebirdDatabase& database, const Firebird::FbException& failure,
                             bool passwordGiven) {
    const std::string reason = FailureText(failure);
    if (HasCode(failure, isc_login)) {
        if (!passwordGiven) {
            throw SignInRefused(SignInRefused::Reason::PasswordNeeded,
                                "O banco de dados pede uma senha.");
        }
        throw SignInRefused(SignInRefused::Reason::NotAccepted,
                            "O banco de dados não aceitou o usuário e a senha: " + reason);
    }
    throw Exception("Não foi possível abrir o banco de dados Firebird " + database.name + ": " +
                    reason + EmbeddedHint(database));
}

std::vector<unsigned char> AttachParameters(const FirebirdDatabase& database,
                                            const std::optional<Credentials>& credentials,
                                            bool create) {
    ParameterBlock dpb(Firebird::IXpbBuilder::DPB);
    auto& status = dpb.CallStatus();
    dpb->insertString(&status, isc_dpb_lc_ctype, "UTF8");
    dpb->insertInt(&status, isc_dpb_sql_dialect, kDialect);
    // Only the provider the name asks for: Firebird would otherwise fall back from a failed
    // embedded open to a server on this machine.
    // A server's link is encrypted or refused: the rows and the sign-in travel on it.
    dpb->insertString(
        &status, isc_dpb_config,
        database.embedded ? "Providers = Engine12" : "Providers = Remote\nWireCrypt = Required");
    if (!database.embedded)
        dpb->insertInt(&status, isc_dpb_connect_timeout, kConnectTimeoutSeconds);
    if (credentials) {
        if (!credentials->user.empty())
            dpb->insertString(&status, isc_dpb_user_name, credentials->user.c_str());
        dpb->insertString(&status, isc_dpb_password, credentials->password.c_str());
    }
    if (create) {
        dpb->insertString(&status, isc_dpb_set_db_charset, "UTF8");
        dpb->insertInt(&status, isc_dpb_page_size, 8192);
    }
    return dpb.Bytes();
}

Firebird::IAttachment* AttachOrCreate(const FirebirdDatabase& database,
                                      const std::optional<Credentials>& credentials,
                                      bool createIfMissing) {
    const KeptSignalHandling keptSignals;
    Firebird::IProvider* provider = Master()->getDispatcher();
    const auto attach = [&] {
        const auto dpb = AttachParameters(database, credentials, false);
        Status status;
        return provider->attachDatabase(&status, database.name.c_str(),
                                        static_cast<unsigned>(dpb.size()), dpb.data());
    };
    const auto create = [&] {
        const auto dpb = AttachParameters(database, credentials, true);
        Status status;
        return provider->createDatabase(&status, database.name.c_str(),
                                        static_cast<unsigned>(dpb.size()), dpb.data());
    };
    if (database.embedded) {
        std::error_code ignored;
        if (!std::filesystem::exists(database.name, ignored)) {
            if (!createIfMissing)
                throw Exception("Banco de dados não encontrado: " + database.name);
            return create();
        }
        return attach();
    }
    try {
        return attach();
    } catch (const Firebird::FbException& failure) {
        // A server only says it could not open the file; creating it tells whether it was
        // missing, and the first failure is the one to report otherwise.
        if (!createIfMissing || !HasCode(failure, isc_io_error))
            throw;
        try {
            return create();
        } catch (const Firebird::FbException&) {
            throw failure;
        }
    }
}

}  // namespace

Ref<Firebird::IAttachment> Attach(const FirebirdDatabase& database,
                                  const std::optional<Credentials>& credentials,
                                  bool createIfMissing) {
    if (database.name.empty())
        throw Exception("Banco de dados Firebird não informado.");
    try {
        return Ref(AttachOrCreate(database, credentials, createIfMissing));
    } catch (const Firebird::FbException& failure) {
        FailToOpen(database, failure,
                   credentials.has_value() || std::getenv("ISC_PASSWORD") != nullptr);
    }
}

std::optional<Credentials> CheckedCredentials(const FirebirdDatabase& database,
                                              const std::optional<Credentials>& credentials) {
    if (database.embedded)
        return std::nullopt;
    if (credentials)
        return credentials;
    const char* password = std::getenv("ISC_PASSWORD");
    if (password == nullptr)
        return std::nullopt;
    const char* user = std::getenv("ISC_USER");
    return Credentials{user != nullptr ? user : "", password};
}

}  // namespace hostfw::fb
