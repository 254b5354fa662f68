#pragma once

#include <memory>
#include <stop_token>
#include <string>
#include <utility>
#include <vector>

#include "host/net/server_credentials.h"
#include "host/session/net_timeouts.h"
#include "host/session/reply_size_limit.h"
#include "host/wire/call_messages.h"
#include "hostfw_export.h"

namespace hostfw {

// The client side of the wire: one keep-alive HTTP connection to one application server.
// Each reply must arrive whole within the read timeout, however it trickles in, and be no
// larger than the size limit. Transport failures, replies over a bound and replies that are not
// messages of this protocol raise an Exception whose text names the server's address; a
// refusal the server words itself comes back as an error OleVariant. A server that is full
// (503 with Retry-After) is tried once more after the delay it asks for, when that is short.
// Calls from several threads are serialised.
class HOSTFW_EXPORT HttpCallClient {
public:
    // A host written "https://NAME" is reached over TLS, its certificate checked against the
    // authorities of caFile (PEM) or, when empty, the system's, and its name against the
    // certificate. Over plain HTTP the client never sends a password unless
    // `passwordOverPlainHttp` says the person accepts it. Raises a clear Exception for an empty
    // host, any other URL, a port outside 1..65535 or bounds out of range; nothing is sent yet.
    // A call no server answered (not reached, or the connection lost before any byte of the
    // reply) is sent once more on a new connection: to the next of `otherServers` (same scheme
    // as the first), or to the same address, a balancer, when there are none. A server that
    // asks for a sign-in is given what `credentials` answers.
    HttpCallClient(const std::string& host, int port, NetTimeouts timeouts,
                   std::size_t replySizeLimit = kDefaultReplySizeLimit,
                   const std::string& caFile = std::string(), bool passwordOverPlainHttp = false,
                   const std::vector<std::pair<std::string, int>>& otherServers = {},
                   ServerCredentialsSource credentials = {});
    // Signs out from the server when the client signed in there (POST /sign-out), waiting two
    // seconds at most; a failure is not shown: the sign-in then ends at its idle expiry.
    ~HttpCallClient();
    HttpCallClient(const HttpCallClient&) = delete;
    HttpCallClient& operator=(const HttpCallClient&) = delete;

    // "host:port", as failures name it.
    const std::string& Address() const;

    // GET /<object>: raises unless the server answers that it offers the object.
    void CheckObject(const std::string& objectName);
    // A stop asked through `stop` gives the call up: its connection is closed at once (the
    // server sees its client go), and the call raises naming the call abandoned.
    CallReply Call(const std::string& objectName, const std::string& method,
                   const CallRequest& request, std::stop_token stop = {});

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace hostfw
