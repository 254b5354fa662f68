#include "host/wire/internal/packet_json.h"

#include <strings.h>

#include <algorithm>
#include <optional>

#include "host/wire/internal/variant_json.h"
#include "host/wire/wire_codec.h"

namespace hostfw::wire {
namespace {

enum class FieldType { String, Integer, Float, Date };

std::optional<FieldType> fieldTypeFromName(const std::string& name) {
    if (name == "string")
        return FieldType::String;
    if (name == "integer")
        return FieldType::Integer;
    if (name == "float")
        return FieldType::Float;
    if (name == "date")
        return FieldType::Date;
    return std::nullopt;
}

FieldType checkedFieldType(const FieldDef& field) {
    const auto type = fieldTypeFromName(field.type);
    if (!type) {
        throw Exception("Campo " + field.name + " do pacote de dados tem o tipo desconhecido \"" +
                        field.type + "\".");
    }
    return *type;
}

Json cellToJson(const Variant& cell, const FieldDef& field, FieldType type) {
    if (cell.isEmptyOrNull())
        return nullptr;
    const Variant::Kind kind = cell.kind();
    const bool fits = (type == FieldType::String && kind == Variant::Kind::String) ||
                      (type == FieldType::Integer && kind == Variant::Kind::Integer) ||
                      (type == FieldType::Float &&
                       (kind == Variant::Kind::Float || kind == Variant::Kind::Integer)) ||
                      (type == FieldType::Date && kind == Variant::Kind::Date);
    if (!fits) {
        throw Exception("Valor do tipo " + std::string(kindName(kind)) + " no campo " + field.name +
                        " (" + field.type + ") do pacote de dados.");
    }
    switch (type) {
        case FieldType::String:
            return cell.asString();
        case FieldType::Integer:
            return cell.asInteger();
        case FieldType::Float:
        case FieldType::Date:
            return finiteForWire(cell.asFloat());
    }
    return nullptr;
}

Variant cellFromJson(const Json& cell, FieldType type, const std::string& where) {
    if (cell.is_null())
        return Variant::Null();
    switch (type) {
        case FieldType::String:
            return Variant(requireString(cell, where));
        case FieldType::Integer:
            return Variant(requireInteger(cell, where));
        case FieldType::Float:
            return Variant(requireFiniteNumber(cell, where));
        case FieldType::Date:
            return Variant(TDateTime{requireFiniteNumber(cell, where)});
    }
    return Variant::Null();
}

FieldDef fieldFromJson(const Json& json, const std::string& where) {
    FieldDef field;
    field.name = requireString(requireMember(json, "name", where), where + ", \"name\"");
    if (field.name.empty())
        throw WireFormatError(where + ": nome de campo vazio.");
    field.type = requireString(requireMember(json, "type", where), where + ", \"type\"");
    if (!fieldTypeFromName(field.type)) {
        throw WireFormatError(where + ": tipo de campo \"" + field.type + "\" desconhecido.");
    }
    if (json.contains("size")) {
        const std::int64_t size = requireInteger(json["size"], where + ", \"size\"");
        if (size < 0 || size > 1'000'000'000) {
            throw WireFormatError(where + ": tamanho de campo fora do intervalo.");
        }
        field.size = static_cast<int>(size);
    }
    if (json.contains("fixedLength")) {
        field.fixedLength = requireBoolean(json["fixedLength"], where + ", \"fixedLength\"");
    }
    return field;
}

void checkDistinctNames(const std::vector<FieldDef>& fields, const std::string& where) {
    for (size_t i = 0; i < fields.size(); ++i) {
        for (size_t j = 0; j < i; ++j) {
            if (strcasecmp(fields[i].name.c_str(), fields[j].name.c_str()) == 0) {
                throw WireFormatError(where + ": campo " + fields[i].name + " repetido.");
            }
        }
    }
}

}  // namespace

Json packetToJson(const DataPacket& packet) {
    Json fields = Json::array();
    std::vector<FieldType> types;
    for (const FieldDef& field : packet.fields) {
        types.push_back(checkedFieldType(field));
        fields.push_back({{"name", field.name},
                          {"type", field.type},
                          {"size", field.size},
                          {"fixedLength", field.fixedLength}});
    }
    Json rows = Json::array();
    for (const auto& row : packet.rows) {
        if (row.size() != packet.fields.size()) {
            throw Exception("Linha do pacote de dados com " + std::to_string(row.size()) +
                            " valores para " + std::to_string(packet.fields.size()) + " campos.");
        }
        Json cells = Json::array();
        for (size_t i = 0; i < row.size(); ++i) {
            cells.push_back(cellToJson(row[i], packet.fields[i], types[i]));
        }
        rows.push_back(std::move(cells));
    }
    return Json{
        {"type", kDataPacketType}, {"fields", std::move(fields)}, {"rows", std::move(rows)}};
}

DataPacket packetFromJson(const Json& json, const std::string& where) {
    DataPacket packet;
    std::vector<FieldType> types;
    const Json& fields = requireArray(requireMember(json, "fields", where), where + ", \"fields\"");
    for (size_t i = 0; i < fields.size(); ++i) {
        packet.fields.push_back(fieldFromJson(fields[i], "campo " + std::to_string(i + 1)));
        types.push_back(*fieldTypeFromName(packet.fields.back().type));
    }
    checkDistinctNames(packet.fields, where);
    const Json& rows = requireArray(requireMember(json, "rows", where), where + ", \"rows\"");
    packet.rows.reserve(rows.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        const std::string rowWhere = "linha " + std::to_string(r + 1);
        const Json& cells = requireArray(rows[r], rowWhere);
        if (cells.size() != types.size()) {
            throw WireFormatError(rowWhere + ": " + std::to_string(cells.size()) +
                                  " valores para " + std::to_string(types.size()) + " campos.");
        }
        std::vector<Variant> row;
        row.reserve(cells.size());
        for (size_t c = 0; c < cells.size(); ++c) {
            row.push_back(
                cellFromJson(cells[c], types[c], rowWhere + ", campo " + packet.fields[c].name));
        }
        packet.rows.push_back(std::move(row));
    }
    return packet;
}

}  // namespace hostfw::wire
