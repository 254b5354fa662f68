#include "host/net/net_connection.h"

#include "host/components/property_helpers.h"
#include "host/core/exception.h"
#include "host/net/call_argument_text.h"
#include "host/net/http_call_client.h"
#include "host/net/net_context.h"
#include "host/net/pending_call.h"

namespace hostfw {

TNetConnection::TNetConnection(TComponent* owner)
    : TComponent(owner), dispatch_([this](const std::string& method, const CallRequest& request) {
          return CallRemote(method, request);
      }) {
    if (const NetContext* context = FindContext<NetContext>(*this)) {
        timeouts_ = context->Session().serverTimeouts;
        replySizeLimit_ = context->Session().serverReplySizeLimit;
    }
}

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

void TNetConnection::SetTimeouts(const NetTimeouts& value) {
    CheckNetTimeouts(value);
    timeouts_ = value;
}

void TNetConnection::SetReplySizeLimit(std::size_t bytes) {
    CheckReplySizeLimit(bytes);
    replySizeLimit_ = bytes;
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
    } catch (const Exception&) {
        if (throwException_)
            throw;
    }
}

void TNetConnection::Open() {
    try {
        if (BeforeConnect)
            BeforeConnect(this);
        const NetContext* context = FindContext<NetContext>(*this);
        auto client = std::make_unique<HttpCallClient>(
            host_, port_, timeouts_, replySizeLimit_,
            context ? context->Session().serverCaFile : std::string(),
            context && context->Session().serverPlainPassword,
            context ? context->Session().otherServers : std::vector<std::pair<std::string, int>>(),
            context ? context->ServerCredentials() : ServerCredentialsSource());
        client->CheckObject(serverName_);
        client_ = std::move(client);
        lastError_.clear();
    } catch (const Exception& error) {
        lastError_ = error.what();
        throw;
    }
}

CallReply TNetConnection::CallRemote(const std::string& method, const CallRequest& request) {
    // Announced before connecting on demand: a call that never reached the server was still made.
    AnnounceCall(method, request);
    if (!Connected())
        Open();
    // Only the exchange leaves the calling thread: the before-connect handler above is the
    // form's and runs on its thread.
    HttpCallClient& client = *client_;
    const NetContext* context = FindContext<NetContext>(*this);
    return AwaitCall(context ? context->CallWaiting() : CallWaiter(), method,
                     [&](std::stop_token stop) {
                         return client.Call(serverName_, method, request, std::move(stop));
                     });
}

void TNetConnection::AnnounceCall(const std::string& method, const CallRequest& request) const {
    ServerCallRecord record{serverName_, method, {}};
    for (const CallArgument& arg : request.args)
        record.arguments.push_back(CallArgumentText(arg.value));
    if (NetContext* context = FindContext<NetContext>(*this))
        context->ServerCalls().Notify(record);
}

}  // namespace hostfw
