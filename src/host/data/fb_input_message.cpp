#include "host/data/fb_input_message.h"

#include <cstring>

#include "host/core/date_time.h"
#include "host/core/exception.h"
#include "host/data/nul_parameter.h"

namespace hostfw {
namespace {

constexpr unsigned kUtf8 = 4;
// The longest text a VARCHAR parameter holds, in bytes.
constexpr std::size_t kMaxVarchar = 32765;

// How one value travels.
struct Slot {
    unsigned type = SQL_NULL;
    unsigned length = 0;
    unsigned charSet = 0;
    int subType = 0;
    int scale = 0;
};

Slot Described(Firebird::IMessageMetadata* described, unsigned index) {
    fb::Status status;
    return Slot{described->getType(&status, index), described->getLength(&status, index),
                described->getCharSet(&status, index), described->getSubType(&status, index),
                described->getScale(&status, index)};
}

Slot SlotFor(const Variant& value, const Slot& described, const std::string& name) {
    switch (value.kind()) {
        case Variant::Kind::Empty:
        case Variant::Kind::Null:
            return described;
        case Variant::Kind::String: {
            const std::size_t bytes = value.AsString().size();
            if (bytes <= kMaxVarchar)
                return Slot{SQL_VARYING, static_cast<unsigned>(std::max<std::size_t>(bytes, 1)),
                            kUtf8};
            if (described.type == SQL_BLOB)
                return Slot{SQL_BLOB, sizeof(ISC_QUAD), 0, described.subType};
            throw Exception("Erro no banco de dados: o parâmetro " + name + " tem " +
                            std::to_string(bytes) +
                            " bytes, mais do que um texto do Firebird comporta (32765)");
        }
        case Variant::Kind::Integer:
            return Slot{SQL_INT64, sizeof(ISC_INT64)};
        case Variant::Kind::Float:
            return Slot{SQL_DOUBLE, sizeof(double)};
        case Variant::Kind::Boolean:
            if (described.type == SQL_BOOLEAN)
                return Slot{SQL_BOOLEAN, 1};
            return Slot{SQL_INT64, sizeof(ISC_INT64)};  // 1 or 0, as on the other engines
        case Variant::Kind::Date:
            return Slot{SQL_TIMESTAMP, sizeof(ISC_TIMESTAMP)};
    }
    return described;
}

ISC_TIMESTAMP TimestampOf(TDateTime value, const std::string& name) {
    const DaySeconds split = SplitToSeconds(value);
    const CivilDate date = CivilFromDays(static_cast<double>(split.day));
    if (date.year < 1 || date.year > 9999) {
        throw Exception("Erro no banco de dados: o parâmetro " + name +
                        " tem uma data fora dos anos 1 a 9999, que o Firebird não aceita");
    }
    const auto seconds = static_cast<unsigned>(split.seconds);
    return ISC_TIMESTAMP{
        fb::Util()->encodeDate(static_cast<unsigned>(date.year), static_cast<unsigned>(date.month),
                               static_cast<unsigned>(date.day)),
        fb::Util()->encodeTime(seconds / 3600, seconds / 60 % 60, seconds % 60, 0)};
}

template <typename Value>
void Put(unsigned char* at, const Value& value) {
    std::memcpy(at, &value, sizeof value);
}

void PutValue(unsigned char* at, const Variant& value, const Slot& slot, const std::string& name,
              const FbInputMessage::BlobWriter& writeBlob) {
    switch (slot.type) {
        case SQL_VARYING: {
            const std::string text = value.AsString();
            Put(at, static_cast<ISC_USHORT>(text.size()));
            std::memcpy(at + sizeof(ISC_USHORT), text.data(), text.size());
            break;
        }
        case SQL_BLOB:
            Put(at, writeBlob(value.AsString()));
            break;
        case SQL_INT64:
            Put(at, static_cast<ISC_INT64>(value.kind() == Variant::Kind::Boolean
                                               ? (value.AsBoolean() ? 1 : 0)
                                               : value.AsInteger()));
            break;
        case SQL_DOUBLE:
            Put(at, value.AsFloat());
            break;
        case SQL_BOOLEAN:
            Put(at, static_cast<FB_BOOLEAN>(value.AsBoolean() ? FB_TRUE : FB_FALSE));
            break;
        case SQL_TIMESTAMP:
            Put(at, TimestampOf(value.AsDate(), name));
            break;
        default:
            break;
    }
}

}  // namespace

FbInputMessage::FbInputMessage(const FbPrepared& prepared, const TParams& params,
                               const BlobWriter& writeBlob) {
    const std::vector<std::string>& names = prepared.names;
    if (names.empty())
        return;
    std::vector<Variant> values;
    std::vector<Slot> slots;
    fb::Status status;
    fb::Ref<Firebird::IMetadataBuilder> builder(
        fb::Master()->getMetadataBuilder(&status, static_cast<unsigned>(names.size())));
    for (unsigned i = 0; i < names.size(); ++i) {
        const TParam* param = params.FindParam(names[i]);
        Variant value = param != nullptr ? param->Value() : Variant();
        if (value.kind() == Variant::Kind::String)
            RefuseNul(names[i], value.AsString());
        const Slot slot = SlotFor(value, Described(prepared.input.get(), i), names[i]);
        builder->setType(&status, i, slot.type);
        builder->setLength(&status, i, slot.length);
        builder->setCharSet(&status, i, slot.charSet);
        builder->setSubType(&status, i, slot.subType);
        builder->setScale(&status, i, slot.scale);
        values.push_back(std::move(value));
        slots.push_back(slot);
    }
    metadata_ = fb::Ref(builder->getMetadata(&status));
    buffer_.assign(metadata_->getMessageLength(&status), 0);
    for (unsigned i = 0; i < names.size(); ++i) {
        const bool isNull = values[i].IsEmptyOrNull();
        Put(buffer_.data() + metadata_->getNullOffset(&status, i),
            static_cast<ISC_SHORT>(isNull ? -1 : 0));
        if (!isNull)
            PutValue(buffer_.data() + metadata_->getOffset(&status, i), values[i], slots[i],
                     names[i], writeBlob);
    }
}

}  // namespace hostfw
