#include "host/net/net_connection.h"

#include "host/core/exception.h"
#include "host/net/http_call_client.h"
#include "host/ui/property_helpers.h"

namespace hostfw {

TNetConnection::TNetConnection(TComponent* owner)
    : TComponent(owner), dispatch_([this](const std::string& method, const CallRequest& request) {
          return CallRemote(method, request);
      }) {}

TNetConnection::~TNetConnection() = default;

const PropertyInfo* TNetConnection::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"ServerName", StringProperty(&TNetConnection::SetServerName)},
        {"Host", StringProperty(&TNetConnection::SetHost)},
        {"Port", IntegerProperty(&TNetConnection::SetPort)},
        {"ThrowException", BooleanProperty(&TNetConnection::SetThrowException)},
        {"BeforeConnect", EventProperty(&TNetConnection::BeforeConnect)},
        {"ServerGUID", DesignProperty(PropertyType::String)},
        {"Left", DesignProperty(PropertyType::Integer)},
        {"Top", DesignProperty(PropertyType::Integer)},
    };
    if (const PropertyInfo* p = Lookup(table, name))
        return p;
    return TComponent::FindProperty(name);
}

void TNetConnection::SetConnected(bool value) {
    if (!value) {
        client_.reset();
        return;
    }
    if (Connected())
        return;
    try {
        Open();
    } catch (const Exception& error) {
        lastError_ = error.what();
        if (throwException_)
            throw;
    }
}

void TNetConnection::Open() {
    if (BeforeConnect)
        BeforeConnect(this);
    auto client = std::make_unique<HttpCallClient>(host_, port_, timeouts_);
    client->checkObject(serverName_);
    client_ = std::move(client);
    lastError_.clear();
}

CallReply TNetConnection::CallRemote(const std::string& method, const CallRequest& request) {
    if (!Connected())
        Open();
    return client_->call(serverName_, method, request);
}

}  // namespace hostfw
