#include "host/wire/internal/packet_json.h"

#include <strings.h>

#include <algorithm>
#include <optional>

#include "host/wire/internal/json_text.h"
#include "host/wire/internal/variant_json.h"
#include "host/wire/wire_codec.h"

namespace hostfw::wire {
namespace {

enum class FieldType { String, Integer, Float, Date };

std::optional<FieldType> FieldTypeFromName(const std::string& name) {
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

FieldType CheckedFieldType(const FieldDef& field) {
    const auto type = FieldTypeFromName(field.type);
    if (!type) {
        throw Exception("Campo " + field.name + " do pacote de dados tem o tipo desconhecido \"" +
                        field.type + "\".");
    }
    return *type;
}

void AppendCell(std::string& out, const Variant& cell, const FieldDef& field, FieldType type) {
    if (cell.IsEmptyOrNull()) {
        out += "null";
        return;
    }
    const Variant::Kind kind = cell.kind();
    const bool fits = (type == FieldType::String && kind == Variant::Kind::String) ||
                      (type == FieldType::Integer && kind == Variant::Kind::Integer) ||
                      (type == FieldType::Float &&
                       (kind == Variant::Kind::Float || kind == Variant::Kind::Integer)) ||
                      (type == FieldType::Date && kind == Variant::Kind::Date);
    if (!fits) {
        throw Exception("Valor do tipo " + std::string(KindName(kind)) + " no campo " + field.name +
                        " (" + field.type + ") do pacote de dados.");
    }
    switch (type) {
        case FieldType::String:
            AppendJsonString(out, cell.AsString());
            break;
        case FieldType::Integer:
            out += std::to_string(cell.AsInteger());
            break;
        case FieldType::Float:
        case FieldType::Date:
            AppendJsonNumber(out, cell.AsFloat());
            break;
    }
}

void AppendField(std::string& out, const FieldDef& field) {
    out += R"({"name":)";
    AppendJsonString(out, field.name);
    out += R"(,"type":)";
    AppendJsonString(out, field.type);
    out += R"(,"size":)" + std::to_string(field.size) + R"(,"fixedLength":)" +
           (field.fixedLength ? "true" : "false") + "}";
}

// Where a cell sits, for a failure's text: built only when a cell is not a string, so the
// common case costs nothing.
std::string CellPlace(size_t row, const FieldDef& field) {
    return "linha " + std::to_string(row + 1) + ", campo " + field.name;
}

Variant CellFromJson(Json& cell, FieldType type, size_t row, const FieldDef& field) {
    if (cell.is_null())
        return Variant::Null();
    if (type == FieldType::String && cell.is_string())
        return Variant(std::move(*cell.get_ptr<std::string*>()));
    const std::string where = CellPlace(row, field);
    switch (type) {
        case FieldType::String:
            return Variant(RequireString(cell, where));
        case FieldType::Integer:
            return Variant(RequireInteger(cell, where));
        case FieldType::Float:
            return Variant(RequireFiniteNumber(cell, where));
        case FieldType::Date:
            return Variant(TDateTime{RequireFiniteNumber(cell, where)});
    }
    return Variant::Null();
}

FieldDef FieldFromJson(const Json& json, const std::string& where) {
    FieldDef field;
    field.name = RequireString(RequireMember(json, "name", where), where + ", \"name\"");
    if (field.name.empty())
        throw WireFormatError(where + ": nome de campo vazio.");
    field.type = RequireString(RequireMember(json, "type", where), where + ", \"type\"");
    if (!FieldTypeFromName(field.type)) {
        throw WireFormatError(where + ": tipo de campo \"" + field.type + "\" desconhecido.");
    }
    if (json.contains("size")) {
        const std::int64_t size = RequireInteger(json["size"], where + ", \"size\"");
        if (size < 0 || size > 1'000'000'000) {
            throw WireFormatError(where + ": tamanho de campo fora do intervalo.");
        }
        field.size = static_cast<int>(size);
    }
    if (json.contains("fixedLength")) {
        field.fixedLength = RequireBoolean(json["fixedLength"], where + ", \"fixedLength\"");
    }
    return field;
}

void CheckDistinctNames(const std::vector<FieldDef>& fields, const std::string& where) {
    for (size_t i = 0; i < fields.size(); ++i) {
        for (size_t j = 0; j < i; ++j) {
            if (strcasecmp(fields[i].name.c_str(), fields[j].name.c_str()) == 0) {
                throw WireFormatError(where + ": campo " + fields[i].name + " repetido.");
            }
        }
    }
}

void CheckRowSize(size_t cells, size_t fields, size_t row) {
    if (cells != fields) {
        throw WireFormatError("linha " + std::to_string(row + 1) + ": " + std::to_string(cells) +
                              " valores para " + std::to_string(fields) + " campos.");
    }
}

}  // namespace

void AppendPacketJson(std::string& out, const DataPacket& packet) {
    std::vector<FieldType> types;
    out += R"({"type":")" + std::string(kDataPacketType) + R"(","fields":[)";
    for (const FieldDef& field : packet.fields) {
        types.push_back(CheckedFieldType(field));
        if (types.size() > 1)
            out += ',';
        AppendField(out, field);
    }
    out += R"(],"rows":[)";
    for (const auto& row : packet.rows) {
        if (row.size() != packet.fields.size()) {
            throw Exception("Linha do pacote de dados com " + std::to_string(row.size()) +
                            " valores para " + std::to_string(packet.fields.size()) + " campos.");
        }
        if (&row != &packet.rows.front())
            out += ',';
        out += '[';
        for (size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                out += ',';
            AppendCell(out, row[i], packet.fields[i], types[i]);
        }
        out += ']';
    }
    out += "]}";
}

DataPacket PacketFromJson(Json& json, const std::string& where, RawRows* rows) {
    DataPacket packet;
    std::vector<FieldType> types;
    const Json& fields = RequireArray(RequireMember(json, "fields", where), where + ", \"fields\"");
    for (size_t i = 0; i < fields.size(); ++i) {
        packet.fields.push_back(FieldFromJson(fields[i], "campo " + std::to_string(i + 1)));
        types.push_back(*FieldTypeFromName(packet.fields.back().type));
    }
    CheckDistinctNames(packet.fields, where);
    RequireArray(RequireMember(json, "rows", where), where + ", \"rows\"");
    if (rows != nullptr) {
        packet.rows.reserve(rows->size());
        for (size_t r = 0; r < rows->size(); ++r) {
            std::vector<RawCell>& cells = (*rows)[r];
            CheckRowSize(cells.size(), types.size(), r);
            std::vector<Variant>& row = packet.rows.emplace_back();
            row.reserve(cells.size());
            for (size_t c = 0; c < cells.size(); ++c) {
                // Texts in text fields, the common case, are moved as they are.
                if (auto* text = std::get_if<std::string>(&cells[c]);
                    text != nullptr && types[c] == FieldType::String) {
                    row.emplace_back(std::move(*text));
                    continue;
                }
                Json cell = RawCellToJson(std::move(cells[c]));
                row.push_back(CellFromJson(cell, types[c], r, packet.fields[c]));
            }
        }
        return packet;
    }
    Json& jsonRows = json["rows"];
    packet.rows.reserve(jsonRows.size());
    for (size_t r = 0; r < jsonRows.size(); ++r) {
        Json& cells = jsonRows[r];
        if (!cells.is_array())
            RequireArray(cells, "linha " + std::to_string(r + 1));
        CheckRowSize(cells.size(), types.size(), r);
        std::vector<Variant>& row = packet.rows.emplace_back();
        row.reserve(cells.size());
        for (size_t c = 0; c < cells.size(); ++c)
            row.push_back(CellFromJson(cells[c], types[c], r, packet.fields[c]));
    }
    return packet;
}

}  // namespace hostfw::wire
