#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "host/data/fb_client.h"
#include "host/data/fb_prepared.h"
#include "host/data/params.h"

namespace hostfw {

// The values of a statement's "?" parameters as Firebird takes them: each named value in the
// message with its own type (text in UTF-8, a whole number, a double, a date-time), which the
// server converts to what the statement wants; an unassigned, Null or missing parameter is
// NULL. A text too long for a VARCHAR goes as a BLOB where the statement takes one.
class FbInputMessage {
public:
    // Writes a text into a new BLOB and returns its id.
    using BlobWriter = std::function<ISC_QUAD(std::string_view text)>;

    FbInputMessage(const FbPrepared& prepared, const TParams& params, const BlobWriter& writeBlob);

    // Both null for a statement without parameters.
    Firebird::IMessageMetadata* Metadata() const { return metadata_.get(); }
    unsigned char* Buffer() { return metadata_ ? buffer_.data() : nullptr; }

private:
    fb::Ref<Firebird::IMessageMetadata> metadata_;
    std::vector<unsigned char> buffer_;
};

}  // namespace hostfw
