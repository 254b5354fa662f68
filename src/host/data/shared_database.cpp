#include "host/data/shared_database.h"

#include "host/core/exception.h"
#include "host/data/standby_lag.h"
#include "host/session/session.h"

namespace hostfw {
namespace {

constexpr std::chrono::seconds kStandbyRetry{30};

}  // namespace

std::shared_ptr<Engine> SharedDatabase::Open() {
    const std::string& wanted = session_.database;
    if (wanted.empty())
        throw Exception("Nenhum banco de dados foi configurado para a sessão.");
    // A connection the server dropped is opened again rather than failing every later query.
    if (!engine_ || connection_ != wanted || engine_->IsBroken()) {
        engine_ = wanted == signedInDatabase_ && credentials_
                      ? OpenDatabaseAs(wanted, *credentials_)
                      : OpenDatabase(wanted);
        connection_ = wanted;
    }
    return engine_;
}

ReportConnection SharedDatabase::OpenForReport() {
    std::shared_ptr<Engine> primary = Open();
    const std::string& wanted = session_.reportDatabase;
    // A standby that could not be reached is not tried again for a while: a host that does not
    // answer would hold up every report for the connect timeout.
    const auto now = std::chrono::steady_clock::now();
    if (wanted.empty() || (standbyConnection_ == wanted && now < standbyRetryAt_))
        return {std::move(primary), false};
    try {
        if (!standby_ || standbyConnection_ != wanted || standby_->IsBroken()) {
            standby_.reset();
            // The same person as on the primary, so the same row policies hold there.
            std::optional<Credentials> person = primary->CheckedCredentials();
            if (!person && session_.database == signedInDatabase_)
                person = credentials_;
            standby_ = person ? OpenDatabaseAs(wanted, *person) : OpenDatabase(wanted);
            standbyConnection_ = wanted;
        }
        if (StandbyWithinLag(*standby_, std::chrono::seconds(session_.reportLagSeconds)))
            return {standby_, true};
    } catch (const Exception&) {
        standby_.reset();
        standbyConnection_ = wanted;
        standbyRetryAt_ = now + kStandbyRetry;
    }
    return {std::move(primary), false};
}

void SharedDatabase::UseSignedIn(std::shared_ptr<Engine> engine, const std::string& database,
                                 const Credentials& credentials) {
    engine_ = std::move(engine);
    connection_ = database;
    signedInDatabase_ = database;
    credentials_ = credentials;
}

void SharedDatabase::Close() {
    engine_.reset();
    connection_.clear();
    standby_.reset();
    standbyConnection_.clear();
    standbyRetryAt_ = {};
}

}  // namespace hostfw
