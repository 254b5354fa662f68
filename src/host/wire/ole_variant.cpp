#include "host/wire/ole_variant.h"

#include "host/core/exception.h"

namespace hostfw {

OleVariant OleVariant::Error(std::string message) {
    // An empty text would show the user a blank message box.
    if (message.empty())
        message = "O servidor de aplicação recusou a chamada sem informar o motivo.";
    OleVariant reply;
    reply.value_ = ErrorReply{std::move(message)};
    return reply;
}

std::string OleVariant::ErrorMessage() const {
    const auto* error = std::get_if<ErrorReply>(&value_);
    return error != nullptr ? error->message : std::string();
}

const Variant& OleVariant::AsVariant() const {
    if (const auto* value = std::get_if<Variant>(&value_))
        return *value;
    RaiseNot("um valor simples");
}

const DataPacket& OleVariant::AsDataPacket() const {
    if (const auto* packet = std::get_if<DataPacket>(&value_))
        return *packet;
    RaiseNot("um pacote de dados");
}

DataPacket OleVariant::TakeDataPacket() && {
    AsDataPacket();  // raises for any other kind
    return std::move(std::get<DataPacket>(value_));
}

void OleVariant::RaiseNot(const char* expected) const {
    if (const auto* error = std::get_if<ErrorReply>(&value_))
        throw Exception(error->message);
    const std::string received = IsDataPacket() ? "um pacote de dados"
                                                : std::string("um valor do tipo ") +
                                                      KindName(std::get<Variant>(value_).kind());
    throw Exception(std::string("A resposta do servidor de aplicação não é ") + expected +
                    " (recebido: " + received + ").");
}

}  // namespace hostfw
