#pragma once

#include <memory>
#include <string>

#include "host/components/component.h"
#include "host/components/events.h"
#include "host/net/dispatch.h"
#include "host/session/net_timeouts.h"
#include "host/session/reply_size_limit.h"
#include "hostfw_export.h"

namespace hostfw {

class HttpCallClient;

// The connection to one remote object of an application server. Connecting runs
// BeforeConnect (which may still set the address), reaches Host:Port and checks that the server
// offers ServerName. With ThrowException off a failed connect is silent and the state stays
// false; with it on the failure is raised. A call through AppServer() while not connected
// connects once more and raises, whatever ThrowException says, if that fails too; every
// failure names the address. Owned under a program's context, it takes the session's
// timeouts, size limit and certificate settings, hands each call to the context's server-call
// observer before anything is sent, and waits for it as the context's call waiter has it (a
// person may give it up: CallCancelled); outside any context it calls on its own thread.
class HOSTFW_EXPORT TNetConnection : public TComponent {
public:
    explicit TNetConnection(TComponent* owner);
    ~TNetConnection() override;

    std::string ClassName() const override { return "TNetConnection"; }
    const PropertyInfo* FindProperty(std::string_view name) const override;

    const std::string& ServerName() const { return serverName_; }
    void SetServerName(const std::string& value) { serverName_ = value; }
    const std::string& Host() const { return host_; }
    void SetHost(const std::string& value) { host_ = value; }
    int Port() const { return port_; }
    void SetPort(int value) { port_ = value; }
    bool ThrowException() const { return throwException_; }
    void SetThrowException(bool value) { throwException_ = value; }
    const NetTimeouts& Timeouts() const { return timeouts_; }
    // Raises a clear Exception for a bound outside 1 ms .. kMaxNetTimeout.
    void SetTimeouts(const NetTimeouts& value);
    std::size_t ReplySizeLimit() const { return replySizeLimit_; }
    // Raises a clear Exception for a limit outside kMinReplySizeLimit .. kMaxReplySizeLimit.
    void SetReplySizeLimit(std::size_t bytes);

    bool Connected() const { return client_ != nullptr; }
    // A new address, server name, timeouts or size limit take effect on the next connect.
    void SetConnected(bool value);
    // Why the last connect failed; empty after a successful one.
    const std::string& LastError() const { return lastError_; }

    // The remote object's dispatch object; it exists whether or not the connection is open.
    TDispatch& AppServer() { return dispatch_; }

    TNotifyEvent BeforeConnect;

private:
    // Raises when the server cannot be reached or does not offer the object.
    void Open();
    CallReply CallRemote(const std::string& method, const CallRequest& request);
    void AnnounceCall(const std::string& method, const CallRequest& request) const;

    std::string serverName_;
    std::string host_;
    int port_ = 0;
    bool throwException_ = false;
    NetTimeouts timeouts_;
    std::size_t replySizeLimit_ = kDefaultReplySizeLimit;
    std::string lastError_;
    std::unique_ptr<HttpCallClient> client_;
    TDispatch dispatch_;
};

}  // namespace hostfw
