#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "host/definition/dfm_lexer.h"
#include "hostfw_export.h"

namespace hostfw::dfm {

struct Property;
using Item = std::vector<Property>;  // one <item ... end> of a collection

// A property value as written. The accessors check the kind and raise a clear error
// naming the line, so the loader can ask for what it expects without testing first.
class HOSTFW_EXPORT Value {
public:
    enum class Kind { Integer, Float, String, Identifier, Set, List, Collection, Binary };

    static Value Integer(std::int64_t value, int line);
    static Value Floating(double value, int line);
    static Value String(std::string value, int line);
    static Value Identifier(std::string name, int line);
    static Value Set(std::vector<std::string> members, int line);
    static Value List(std::vector<Value> values, int line);
    static Value Collection(std::vector<Item> items, int line);
    static Value Binary(Bytes bytes, int line);

    Kind kind() const { return kind_; }
    int Line() const { return line_; }

    std::int64_t AsInteger() const;
    double AsFloat() const;  // an Integer reads as its value
    const std::string& AsString() const;
    const std::string& AsIdentifier() const;
    const std::vector<std::string>& AsSet() const;
    const std::vector<Value>& AsList() const;
    const std::vector<Item>& AsCollection() const;
    const Bytes& AsBinary() const;
    // A list of strings only, as in SQL.Strings = ('SELECT' '  X').
    std::vector<std::string> AsStrings() const;

private:
    using Payload = std::variant<std::int64_t, double, std::string, std::vector<std::string>,
                                 std::vector<Value>, std::vector<Item>, Bytes>;
    Value(Kind kind, Payload payload, int line);
    template <class T>
    const T& PayloadAs(Kind wanted) const;

    Kind kind_;
    Payload payload_;
    int line_;
};

// Portuguese name of a kind of value, for messages.
HOSTFW_EXPORT std::string KindName(Value::Kind kind);

struct HOSTFW_EXPORT Property {
    std::string name;  // dotted path as written: Font.Style, SQL.Strings
    Value value;
    int line = 0;
};

struct HOSTFW_EXPORT ObjectNode {
    bool inherited = false;  // "inherited" (and "inline") change a member of the ancestor
    std::string name;
    std::string className;
    std::vector<Property> properties;
    std::vector<ObjectNode> children;
    int line = 0;

    // Exact names; null when absent.
    const Property* FindProperty(std::string_view propertyName) const;
    // This node or any descendant, depth first.
    const ObjectNode* FindObject(std::string_view objectName) const;
};

// Parses one stored definition; sourceName names it in error messages. Raises
// hostfw::Exception with "source, linha L, coluna C: ..." on any malformed input.
HOSTFW_EXPORT ObjectNode ParseDfm(std::string_view text, std::string_view sourceName);

}  // namespace hostfw::dfm
