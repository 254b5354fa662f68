#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/core/variant.h"
#include "host/data/fb_client.h"

namespace hostfw {

// Where each column of a Firebird row lies in the message the server fills, read once from the
// statement's metadata, and how its value reads back: texts as UTF-8 strings (a CHAR keeps its
// declared width, as PostgreSQL gives it), whole numbers as Integer, scaled and floating
// numbers as Float, BOOLEAN as 1 or 0, dates and times as ISO text ("yyyy-mm-dd",
// "yyyy-mm-dd hh:mm:ss"), a BLOB as its whole content.
class FbRowLayout {
public:
    // Reads the BLOB of that id whole.
    using BlobReader = std::function<std::string(ISC_QUAD id)>;

    FbRowLayout() = default;
    explicit FbRowLayout(Firebird::IMessageMetadata* metadata);

    const std::vector<std::string>& Names() const { return names_; }
    std::size_t MessageLength() const { return messageLength_; }
    Variant Value(const unsigned char* row, std::size_t column, const BlobReader& readBlob) const;

private:
    struct Column {
        unsigned type;
        unsigned length;
        int scale;
        unsigned charSet;
        unsigned offset;
        unsigned nullOffset;
    };
    std::vector<std::string> names_;
    std::vector<Column> columns_;
    std::size_t messageLength_ = 0;
};

}  // namespace hostfw
