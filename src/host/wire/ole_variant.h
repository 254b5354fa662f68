#pragma once

#include <string>
#include <variant>

#include "host/core/variant.h"
#include "host/data/data_packet.h"
#include "hostfw_export.h"

namespace hostfw {

// What a late-bound call returns: a scalar variant, a data packet, or the server's refusal
// with its text. Reading the wrong kind raises, so an error reply can never pass for data.
class HOSTFW_EXPORT OleVariant {
public:
    OleVariant() = default;
    OleVariant(Variant value) : value_(std::move(value)) {}
    OleVariant(DataPacket packet) : value_(std::move(packet)) {}
    static OleVariant Error(std::string message);

    bool IsScalar() const { return std::holds_alternative<Variant>(value_); }
    bool IsDataPacket() const { return std::holds_alternative<DataPacket>(value_); }
    bool IsError() const { return std::holds_alternative<ErrorReply>(value_); }

    // The server's text of an error reply; empty for any other reply.
    std::string ErrorMessage() const;
    // Raise the server's text for an error reply and a clear text for the other kind.
    const Variant& AsVariant() const;
    const DataPacket& AsDataPacket() const;
    // The packet itself, moved out of a reply that is done with.
    DataPacket TakeDataPacket() &&;

    friend bool operator==(const OleVariant&, const OleVariant&) = default;

private:
    struct ErrorReply {
        std::string message;
        friend bool operator==(const ErrorReply&, const ErrorReply&) = default;
    };

    [[noreturn]] void RaiseNot(const char* expected) const;

    std::variant<Variant, DataPacket, ErrorReply> value_;
};

}  // namespace hostfw
