#include "host/wire/internal/variant_json.h"

#include <cmath>

#include "host/wire/wire_codec.h"

namespace hostfw::wire {
namespace {

Variant::Kind KindFromName(const std::string& name, const std::string& where) {
    for (const Variant::Kind kind :
         {Variant::Kind::Empty, Variant::Kind::Null, Variant::Kind::String, Variant::Kind::Integer,
          Variant::Kind::Float, Variant::Kind::Boolean, Variant::Kind::Date}) {
        if (name == KindName(kind))
            return kind;
    }
    throw WireFormatError(where + ": tipo \"" + name + "\" desconhecido.");
}

}  // namespace

double FiniteForWire(double value) {
    if (!std::isfinite(value)) {
        throw Exception("Valor numérico não finito não pode ser enviado ao servidor de aplicação.");
    }
    return value;
}

Json VariantToJson(const Variant& value) {
    Json json{{"type", KindName(value.kind())}};
    switch (value.kind()) {
        case Variant::Kind::Empty:
        case Variant::Kind::Null:
            break;
        case Variant::Kind::String:
            json["value"] = value.AsString();
            break;
        case Variant::Kind::Integer:
            json["value"] = value.AsInteger();
            break;
        case Variant::Kind::Float:
        case Variant::Kind::Date:
            json["value"] = FiniteForWire(value.AsFloat());
            break;
        case Variant::Kind::Boolean:
            json["value"] = value.AsBoolean();
            break;
    }
    return json;
}

Variant VariantFromJson(const Json& json, const std::string& where) {
    const Variant::Kind kind = KindFromName(
        RequireString(RequireMember(json, "type", where), where + ", \"type\""), where);
    const std::string valueWhere = where + ", \"value\"";
    switch (kind) {
        case Variant::Kind::Empty:
            return Variant();
        case Variant::Kind::Null:
            return Variant::Null();
        case Variant::Kind::String:
            return Variant(RequireString(RequireMember(json, "value", where), valueWhere));
        case Variant::Kind::Integer:
            return Variant(RequireInteger(RequireMember(json, "value", where), valueWhere));
        case Variant::Kind::Float:
            return Variant(RequireFiniteNumber(RequireMember(json, "value", where), valueWhere));
        case Variant::Kind::Boolean:
            return Variant(RequireBoolean(RequireMember(json, "value", where), valueWhere));
        case Variant::Kind::Date:
            return Variant(
                TDateTime{RequireFiniteNumber(RequireMember(json, "value", where), valueWhere)});
    }
    throw WireFormatError(where + ": tipo desconhecido.");
}

}  // namespace hostfw::wire
