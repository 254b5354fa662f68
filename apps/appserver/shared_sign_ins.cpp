#include "shared_sign_ins.h"

#include "host/core/variant.h"

namespace appserver {
namespace {

std::int64_t Seconds(SharedSignIns::Clock::time_point moment) {
    return std::chrono::duration_cast<std::chrono::seconds>(moment.time_since_epoch()).count();
}

hostfw::TParams DigestParam(const std::string& digest) {
    hostfw::TParams params;
    params.CreateParam("RESUMO").SetAsString(digest);
    return params;
}

}  // namespace

bool SharedSignIns::Exists(hostfw::Engine& engine) {
    try {
        engine.Query("SELECT LOGIN FROM SESSAO_ENTRADA WHERE 1 = 0", hostfw::TParams())->Next();
        return true;
    } catch (const hostfw::Exception&) {
        return false;
    }
}

void SharedSignIns::Open(const std::string& digest, const std::string& login,
                         Clock::time_point now) {
    hostfw::TParams params = DigestParam(digest);
    params.CreateParam("LOGIN").SetAsString(login);
    params.CreateParam("TERMINO").SetAsVariant(hostfw::Variant(Seconds(now + idle_)));
    params.CreateParam("OCIOSO").SetAsVariant(hostfw::Variant(std::int64_t{idle_.count()}));
    run_([&](hostfw::Engine& engine) {
        engine.Execute(
            "INSERT INTO SESSAO_ENTRADA (RESUMO, LOGIN, TERMINO, OCIOSO) "
            "VALUES (:RESUMO, :LOGIN, :TERMINO, :OCIOSO)",
            params);
    });
}

std::optional<std::string> SharedSignIns::Confirm(const std::string& digest,
                                                  Clock::time_point now) {
    std::optional<std::string> login;
    std::int64_t end = 0;
    std::int64_t idle = 0;
    run_([&](hostfw::Engine& engine) {
        login.reset();
        const auto rows =
            engine.Query("SELECT LOGIN, TERMINO, OCIOSO FROM SESSAO_ENTRADA WHERE RESUMO = :RESUMO",
                         DigestParam(digest));
        if (rows->Next()) {
            login = rows->Value(0).AsString();
            end = rows->Value(1).AsInteger();
            idle = rows->Value(2).AsInteger();
        }
    });
    if (!login)
        return std::nullopt;
    const std::int64_t nowSeconds = Seconds(now);
    if (end <= nowSeconds) {
        End(digest);
        return std::nullopt;
    }
    // The sign-in's own idle time, whichever server made it.
    if (nowSeconds + idle - end >= kExtendAfter.count()) {
        hostfw::TParams params = DigestParam(digest);
        params.CreateParam("TERMINO").SetAsVariant(hostfw::Variant(nowSeconds + idle));
        run_([&](hostfw::Engine& engine) {
            engine.Execute("UPDATE SESSAO_ENTRADA SET TERMINO = :TERMINO WHERE RESUMO = :RESUMO",
                           params);
        });
    }
    return login;
}

void SharedSignIns::End(const std::string& digest) {
    run_([&](hostfw::Engine& engine) {
        engine.Execute("DELETE FROM SESSAO_ENTRADA WHERE RESUMO = :RESUMO", DigestParam(digest));
    });
}

void SharedSignIns::DeleteEnded(Clock::time_point now) {
    hostfw::TParams params;
    params.CreateParam("AGORA").SetAsVariant(hostfw::Variant(Seconds(now)));
    run_([&](hostfw::Engine& engine) {
        engine.Execute("DELETE FROM SESSAO_ENTRADA WHERE TERMINO <= :AGORA", params);
    });
}

}  // namespace appserver
