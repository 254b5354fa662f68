#include "host/data/fb_user_service.h"

#include <array>

#include "host/core/exception.h"
#include "host/data/fb_client.h"
#include "host/data/fb_database_name.h"
#include "host/data/fb_environment.h"

namespace hostfw {
namespace {

using fb::ParameterBlock;
using fb::Ref;
using fb::Status;

// The service manager of the server a database name points at: "host/port:service_mgr", or
// "inet://host:port/service_mgr" for Firebird's URL form.
std::string ServiceManagerOf(const FirebirdDatabase& database) {
    const std::string& name = database.name;
    const auto scheme = name.find("://");
    if (scheme != std::string::npos) {
        const auto path = name.find('/', scheme + 3);
        return name.substr(0, path) + "/service_mgr";
    }
    // A bracketed IPv6 address holds colons of its own.
    const auto hostEnd = name.front() == '[' ? name.find(']') : 0;
    return name.substr(0, name.find(':', hostEnd)) + ":service_mgr";
}

Ref<Firebird::IService> AttachServiceManager(const FirebirdDatabase& database) {
    ParameterBlock spb(Firebird::IXpbBuilder::SPB_ATTACH);
    auto& status = spb.CallStatus();
    // The password travels inside the request: the link must be encrypted.
    spb->insertString(&status, isc_spb_config, "WireCrypt = Required");
    const auto bytes = spb.Bytes();
    const fb::KeptSignalHandling keptSignals;
    Status call;
    return Ref(fb::Master()->getDispatcher()->attachServiceManager(
        &call, ServiceManagerOf(database).c_str(), static_cast<unsigned>(bytes.size()),
        bytes.data()));
}

// The service runs on its own in the server: reading its output to the end waits for it, and
// a failure comes back on the way.
void WaitForService(Firebird::IService* service) {
    const std::array<unsigned char, 1> wanted{isc_info_svc_line};
    std::array<unsigned char, 1024> output{};
    for (;;) {
        Status status;
        service->query(&status, 0, nullptr, static_cast<unsigned>(wanted.size()), wanted.data(),
                       static_cast<unsigned>(output.size()), output.data());
        // isc_info_svc_line, a two-byte length, the line; an empty line is the end.
        if (output[0] != isc_info_svc_line || (output[1] == 0 && output[2] == 0))
            return;
    }
}

}  // namespace

void AddFirebirdUser(const std::string& connection, const std::string& login,
                     const std::string& password) {
    const auto database = FirebirdDatabaseOf(connection);
    if (!database || database.value().embedded) {
        throw Exception(
            "Usuários do Firebird são criados num servidor: um arquivo aberto pelo próprio "
            "programa não pede senha a ninguém.");
    }
    try {
        auto service = AttachServiceManager(*database);
        ParameterBlock request(Firebird::IXpbBuilder::SPB_START);
        auto& status = request.CallStatus();
        request->insertTag(&status, isc_action_svc_add_user);
        request->insertString(&status, isc_spb_sec_username, login.c_str());
        request->insertString(&status, isc_spb_sec_password, password.c_str());
        const auto bytes = request.Bytes();
        Status call;
        service->start(&call, static_cast<unsigned>(bytes.size()), bytes.data());
        WaitForService(service.get());
        service->detach(&call);
        service.Take();  // released by the detach
    } catch (const Firebird::FbException& failure) {
        throw Exception("O Firebird não criou o usuário " + login + ": " +
                        fb::FailureText(failure));
    }
}

}  // namespace hostfw
