#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/core/exception.h"
#include "host/wire/call_messages.h"
#include "hostfw_export.h"

namespace hostfw {

// A body that is not a well-formed message of this protocol version: malformed JSON, a
// missing or mistyped member, an unknown value type, another version.
class HOSTFW_EXPORT WireFormatError : public Exception {
public:
    using Exception::Exception;
    ~WireFormatError() override;
};

// What GET /<object> answers: the object is offered, with these methods.
struct ObjectInfo {
    std::string name;
    std::vector<std::string> methods;
    friend bool operator==(const ObjectInfo&, const ObjectInfo&) = default;
};

// Encoding refuses, with a clear Exception, what JSON cannot carry faithfully: text that is
// not UTF-8, a number that is not finite, a packet cell of the wrong type.
HOSTFW_EXPORT std::string EncodeCallRequest(const CallRequest& request);
HOSTFW_EXPORT CallRequest DecodeCallRequest(std::string_view body);

// An error result is written in the error form, without by-reference values.
HOSTFW_EXPORT std::string EncodeCallReply(const CallReply& reply);
HOSTFW_EXPORT CallReply DecodeCallReply(std::string_view body);

HOSTFW_EXPORT std::string EncodeErrorReply(const std::string& message);

HOSTFW_EXPORT std::string EncodeObjectInfo(const ObjectInfo& info);
HOSTFW_EXPORT ObjectInfo DecodeObjectInfo(std::string_view body);

}  // namespace hostfw
