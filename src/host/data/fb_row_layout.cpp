#include "host/data/fb_row_layout.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "host/core/exception.h"
#include "host/core/utf8.h"

namespace hostfw {
namespace {

constexpr unsigned kUtf8 = 4;
constexpr unsigned kBytesPerUtf8Character = 4;

template <typename Value>
Value Get(const unsigned char* at) {
    Value value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

// A division is rounded once, so 1234567 at scale -2 reads as the double nearest 12345.67.
Variant Scaled(ISC_INT64 value, int scale) {
    if (scale == 0)
        return Variant(static_cast<std::int64_t>(value));
    return Variant(static_cast<double>(value) / std::pow(10.0, -scale));
}

// A CHAR comes padded with blanks to its width in bytes; PostgreSQL gives it padded to its
// width in characters.
std::string FixedText(const unsigned char* at, unsigned length, unsigned charSet) {
    std::string text(reinterpret_cast<const char*>(at), length);
    if (charSet != kUtf8)
        return text;
    std::size_t characters = Utf8Length(text);
    const std::size_t width = length / kBytesPerUtf8Character;
    while (characters > width && !text.empty() && text.back() == ' ') {
        text.pop_back();
        --characters;
    }
    return text;
}

std::string DateText(ISC_DATE date) {
    unsigned year = 0, month = 0, day = 0;
    fb::Util()->decodeDate(date, &year, &month, &day);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04u-%02u-%02u", year, month, day);
    return buffer;
}

// "hh:mm:ss", and the fraction of a second when there is one, without trailing zeros.
std::string TimeText(ISC_TIME time) {
    unsigned hours = 0, minutes = 0, seconds = 0, fractions = 0;
    fb::Util()->decodeTime(time, &hours, &minutes, &seconds, &fractions);
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%02u:%02u:%02u.%04u", hours, minutes, seconds, fractions);
    std::string text = buffer;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text;
}

}  // namespace

FbRowLayout::FbRowLayout(Firebird::IMessageMetadata* metadata) {
    fb::Status status;
    const unsigned count = metadata->getCount(&status);
    for (unsigned i = 0; i < count; ++i) {
        names_.emplace_back(metadata->getAlias(&status, i));
        columns_.push_back(Column{metadata->getType(&status, i), metadata->getLength(&status, i),
                                  metadata->getScale(&status, i), metadata->getCharSet(&status, i),
                                  metadata->getOffset(&status, i),
                                  metadata->getNullOffset(&status, i)});
    }
    messageLength_ = metadata->getMessageLength(&status);
}

Variant FbRowLayout::Value(const unsigned char* row, std::size_t column,
                           const BlobReader& readBlob) const {
    if (column >= columns_.size()) {
        throw Exception("Erro no banco de dados: coluna " + std::to_string(column) +
                        " inexistente");
    }
    const Column& c = columns_[column];
    if (Get<ISC_SHORT>(row + c.nullOffset) != 0)
        return Variant::Null();
    const unsigned char* at = row + c.offset;
    switch (c.type) {
        case SQL_VARYING:
            return Variant(std::string(reinterpret_cast<const char*>(at + sizeof(ISC_USHORT)),
                                       Get<ISC_USHORT>(at)));
        case SQL_TEXT:
            return Variant(FixedText(at, c.length, c.charSet));
        case SQL_SHORT:
            return Scaled(Get<ISC_SHORT>(at), c.scale);
        case SQL_LONG:
            return Scaled(Get<ISC_LONG>(at), c.scale);
        case SQL_INT64:
            return Scaled(Get<ISC_INT64>(at), c.scale);
        case SQL_FLOAT:
            return Variant(static_cast<double>(Get<float>(at)));
        case SQL_DOUBLE:
        case SQL_D_FLOAT:
            return Variant(Get<double>(at));
        case SQL_BOOLEAN:
            return Variant(static_cast<std::int64_t>(Get<FB_BOOLEAN>(at) != FB_FALSE ? 1 : 0));
        case SQL_TYPE_DATE:
            return Variant(DateText(Get<ISC_DATE>(at)));
        case SQL_TYPE_TIME:
            return Variant(TimeText(Get<ISC_TIME>(at)));
        case SQL_TIMESTAMP: {
            const auto stamp = Get<ISC_TIMESTAMP>(at);
            return Variant(DateText(stamp.timestamp_date) + " " + TimeText(stamp.timestamp_time));
        }
        case SQL_BLOB:
            return Variant(readBlob(Get<ISC_QUAD>(at)));
        case SQL_NULL:
            return Variant::Null();
        default:
            throw Exception("Erro no banco de dados: a coluna " + names_[column] +
                            " é de um tipo do Firebird que este programa não lê (" +
                            std::to_string(c.type) + ")");
    }
}

}  // namespace hostfw
