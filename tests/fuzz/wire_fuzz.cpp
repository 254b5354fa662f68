// The bodies a peer sends over the server link: call requests, call replies and object
// descriptions, and the data packet a reply carries as the invoice picker loads it. Any body
// may be refused, with WireFormatError or another clear Exception; none may crash, and what
// decodes must encode and decode to the same thing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "host/core/exception.h"
#include "host/data/client_dataset.h"
#include "host/data/field.h"
#include "host/wire/wire_codec.h"

namespace {

void LoadPacket(const hostfw::DataPacket& packet) {
    hostfw::TClientDataSet dataset(nullptr);
    dataset.SetData(packet);
    dataset.Open();
    for (dataset.First(); !dataset.Eof(); dataset.Next()) {
        for (hostfw::TField* field : dataset.Fields())
            static_cast<void>(field->DisplayText());
    }
}

template <typename Message, typename Encode, typename Decode>
void RoundTrip(std::string_view body, Encode encode, Decode decode) {
    Message message;
    try {
        message = decode(body);
    } catch (const hostfw::Exception&) {
        return;
    }
    std::string again;
    try {
        again = encode(message);
    } catch (const hostfw::Exception&) {
        return;  // refused what JSON cannot carry faithfully (text that is not UTF-8)
    }
    if (!(decode(again) == message))
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    RoundTrip<hostfw::CallRequest>(body, hostfw::EncodeCallRequest, hostfw::DecodeCallRequest);
    RoundTrip<hostfw::CallReply>(body, hostfw::EncodeCallReply, hostfw::DecodeCallReply);
    RoundTrip<hostfw::ObjectInfo>(body, hostfw::EncodeObjectInfo, hostfw::DecodeObjectInfo);
    try {
        const hostfw::CallReply reply = hostfw::DecodeCallReply(body);
        if (reply.result.IsDataPacket())
            LoadPacket(reply.result.AsDataPacket());
    } catch (const hostfw::Exception&) {
    }
    return 0;
}
