#include "host/definition/dfm_parser.h"

#include <algorithm>
#include <utility>

#include "host/core/exception.h"

namespace hostfw::dfm {

namespace {

// Deeper nesting than any real form: refuse it before the stack runs out.
constexpr int kMaxNesting = 200;

bool SameLetters(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c | 0x20) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// Keywords are matched regardless of letter case, as the format's own readers do.
bool IsWord(const Token& token, std::string_view word) {
    return token.kind == TokenKind::Identifier && SameLetters(token.text, word);
}

bool OpensObject(const Token& token) {
    return IsWord(token, "object") || IsWord(token, "inherited") || IsWord(token, "inline");
}

// Reserved words of the language cannot be a value: "Caption =" followed by "end" is a
// missing value, not the identifier end.
bool IsReservedWord(const Token& token) {
    return IsWord(token, "end") || IsWord(token, "object") || IsWord(token, "inherited");
}

bool IsSymbol(const Token& token, char symbol) {
    return token.kind == TokenKind::Symbol && token.text[0] == symbol;
}

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

std::string Describe(const Token& token) {
    switch (token.kind) {
        case TokenKind::Identifier:
        case TokenKind::Symbol:
            return Quoted(token.text);
        case TokenKind::Integer:
        case TokenKind::Float:
            return "um número";
        case TokenKind::String:
            return "um texto";
        case TokenKind::Binary:
            return "dados binários";
        case TokenKind::End:
            break;
    }
    return "o fim do arquivo";
}

class Parser {
public:
    Parser(std::string_view text, std::string_view sourceName) : lexer_(text, sourceName) {
        current_ = lexer_.Next();
    }

    ObjectNode ParseRoot() {
        ObjectNode root = ParseObject(0);
        if (current_.kind != TokenKind::End) {
            FailHere("conteúdo depois do fim do objeto " + Quoted(root.name));
        }
        return root;
    }

private:
    ObjectNode ParseObject(int depth) {
        CheckDepth(depth);
        if (!OpensObject(current_)) {
            FailHere("esperado 'object', 'inherited' ou 'inline'");
        }
        ObjectNode node;
        node.line = current_.line;
        node.inherited = !IsWord(current_, "object");
        const Token keyword = Take();
        node.name = ExpectIdentifier("esperado o nome do objeto depois de " + Quoted(keyword.text));
        if (IsSymbol(current_, ':')) {
            Take();
            node.className = ExpectIdentifier("esperado o nome da classe depois de ':'");
        } else {
            // "object TFoo": a component without a name.
            node.className = std::exchange(node.name, {});
        }
        ParseBody(node, depth);
        return node;
    }

    // Properties first, then children, then "end".
    void ParseBody(ObjectNode& node, int depth) {
        const std::string label = Quoted(node.name.empty() ? node.className : node.name);
        for (;;) {
            if (IsWord(current_, "end")) {
                Take();
                return;
            }
            if (OpensObject(current_)) {
                node.children.push_back(ParseObject(depth + 1));
            } else if (current_.kind == TokenKind::Identifier) {
                if (!node.children.empty()) {
                    FailHere("propriedade " + Quoted(current_.text) + " depois dos objetos de " +
                             label + "; as propriedades vêm antes dos objetos");
                }
                node.properties.push_back(ParseProperty(depth));
            } else if (current_.kind == TokenKind::End) {
                FailHere("esperado 'end' para fechar o objeto " + label + " aberto na linha " +
                         std::to_string(node.line));
            } else {
                FailHere("esperado uma propriedade, um objeto ou 'end' em " + label);
            }
        }
    }

    Property ParseProperty(int depth) {
        const int line = current_.line;
        std::string name = Take().text;
        if (!IsSymbol(current_, '=')) {
            FailHere("esperado '=' depois de " + Quoted(name));
        }
        Take();
        Value value = ParseValue(name, depth);
        return Property{std::move(name), std::move(value), line};
    }

    Value ParseValue(const std::string& propertyName, int depth) {
        CheckDepth(depth);
        const int line = current_.line;
        switch (current_.kind) {
            case TokenKind::Integer:
                return Value::Integer(Take().integer, line);
            case TokenKind::Float:
                return Value::Floating(Take().number, line);
            case TokenKind::String:
                return ParseConcatenation();
            case TokenKind::Identifier:
                if (IsReservedWord(current_)) {
                    break;
                }
                return Value::Identifier(Take().text, line);
            case TokenKind::Binary:
                return Value::Binary(Take().bytes, line);
            case TokenKind::Symbol:
                if (IsSymbol(current_, '[')) {
                    return ParseSet(propertyName);
                }
                if (IsSymbol(current_, '(')) {
                    return ParseList(propertyName, depth);
                }
                if (IsSymbol(current_, '<')) {
                    return ParseCollection(propertyName, depth);
                }
                break;
            case TokenKind::End:
                break;
        }
        FailHere("esperado um valor para " + Quoted(propertyName));
    }

    // 'first part' + 'second part', usually split over lines.
    Value ParseConcatenation() {
        const int line = current_.line;
        std::string text = Take().text;
        while (IsSymbol(current_, '+')) {
            Take();
            if (current_.kind != TokenKind::String) {
                FailHere("esperado um texto depois de '+'");
            }
            text += Take().text;
        }
        return Value::String(std::move(text), line);
    }

    Value ParseSet(const std::string& propertyName) {
        const int line = Take().line;
        std::vector<std::string> members;
        if (!IsSymbol(current_, ']')) {
            for (;;) {
                members.push_back(ExpectIdentifier("esperado um identificador no conjunto de " +
                                                   Quoted(propertyName)));
                if (IsSymbol(current_, ']')) {
                    break;
                }
                if (!IsSymbol(current_, ',')) {
                    FailHere("esperado ',' ou ']' no conjunto de " + Quoted(propertyName));
                }
                Take();
            }
        }
        Take();
        return Value::Set(std::move(members), line);
    }

    Value ParseList(const std::string& propertyName, int depth) {
        const int line = Take().line;
        std::vector<Value> values;
        while (!IsSymbol(current_, ')')) {
            if (current_.kind == TokenKind::End || IsReservedWord(current_)) {
                FailHere("esperado ')' para fechar a lista de " + Quoted(propertyName) +
                         " aberta na linha " + std::to_string(line));
            }
            values.push_back(ParseValue(propertyName, depth + 1));
        }
        Take();
        return Value::List(std::move(values), line);
    }

    Value ParseCollection(const std::string& propertyName, int depth) {
        const int line = Take().line;
        std::vector<Item> items;
        while (!IsSymbol(current_, '>')) {
            if (!IsWord(current_, "item")) {
                FailHere("esperado 'item' ou '>' na coleção de " + Quoted(propertyName));
            }
            items.push_back(ParseItem(depth + 1));
        }
        Take();
        return Value::Collection(std::move(items), line);
    }

    Item ParseItem(int depth) {
        const int line = Take().line;
        Item item;
        while (!IsWord(current_, "end")) {
            if (current_.kind != TokenKind::Identifier) {
                FailHere("esperado uma propriedade ou 'end' no item aberto na linha " +
                         std::to_string(line));
            }
            item.push_back(ParseProperty(depth));
        }
        Take();
        return item;
    }

    std::string ExpectIdentifier(const std::string& what) {
        if (current_.kind != TokenKind::Identifier) {
            FailHere(what);
        }
        return Take().text;
    }

    void CheckDepth(int depth) const {
        if (depth > kMaxNesting) {
            FailHere("aninhamento com mais de " + std::to_string(kMaxNesting) + " níveis");
        }
    }

    Token Take() { return std::exchange(current_, lexer_.Next()); }

    [[noreturn]] void FailHere(const std::string& what) const {
        lexer_.Fail(current_.line, current_.column, what + ", encontrado " + Describe(current_));
    }

    Lexer lexer_;
    Token current_;
};

}  // namespace

Value::Value(Kind kind, Payload payload, int line)
    : kind_(kind), payload_(std::move(payload)), line_(line) {}

Value Value::Integer(std::int64_t value, int line) {
    return {Kind::Integer, value, line};
}
Value Value::Floating(double value, int line) {
    return {Kind::Float, value, line};
}
Value Value::String(std::string value, int line) {
    return {Kind::String, std::move(value), line};
}
Value Value::Identifier(std::string name, int line) {
    return {Kind::Identifier, std::move(name), line};
}
Value Value::Set(std::vector<std::string> members, int line) {
    return {Kind::Set, std::move(members), line};
}
Value Value::List(std::vector<Value> values, int line) {
    return {Kind::List, std::move(values), line};
}
Value Value::Collection(std::vector<Item> items, int line) {
    return {Kind::Collection, std::move(items), line};
}
Value Value::Binary(Bytes bytes, int line) {
    return {Kind::Binary, std::move(bytes), line};
}

template <class T>
const T& Value::PayloadAs(Kind wanted) const {
    if (kind_ != wanted) {
        throw Exception("linha " + std::to_string(line_) + ": esperado " + KindName(wanted) +
                        ", encontrado " + KindName(kind_));
    }
    return std::get<T>(payload_);
}

std::int64_t Value::AsInteger() const {
    return PayloadAs<std::int64_t>(Kind::Integer);
}

double Value::AsFloat() const {
    if (kind_ == Kind::Integer) {
        return static_cast<double>(AsInteger());
    }
    return PayloadAs<double>(Kind::Float);
}

const std::string& Value::AsString() const {
    return PayloadAs<std::string>(Kind::String);
}

const std::string& Value::AsIdentifier() const {
    return PayloadAs<std::string>(Kind::Identifier);
}

const std::vector<std::string>& Value::AsSet() const {
    return PayloadAs<std::vector<std::string>>(Kind::Set);
}

const std::vector<Value>& Value::AsList() const {
    return PayloadAs<std::vector<Value>>(Kind::List);
}

const std::vector<Item>& Value::AsCollection() const {
    return PayloadAs<std::vector<Item>>(Kind::Collection);
}

const Bytes& Value::AsBinary() const {
    return PayloadAs<Bytes>(Kind::Binary);
}

std::vector<std::string> Value::AsStrings() const {
    std::vector<std::string> lines;
    for (const Value& element : AsList()) {
        lines.push_back(element.AsString());
    }
    return lines;
}

std::string KindName(Value::Kind kind) {
    switch (kind) {
        case Value::Kind::Integer:
            return "um número inteiro";
        case Value::Kind::Float:
            return "um número";
        case Value::Kind::String:
            return "um texto";
        case Value::Kind::Identifier:
            return "um identificador";
        case Value::Kind::Set:
            return "um conjunto";
        case Value::Kind::List:
            return "uma lista";
        case Value::Kind::Collection:
            return "uma coleção";
        case Value::Kind::Binary:
            break;
    }
    return "dados binários";
}

ObjectNode ParseDfm(std::string_view text, std::string_view sourceName) {
    return Parser(text, sourceName).ParseRoot();
}

const Property* ObjectNode::FindProperty(std::string_view propertyName) const {
    auto found = std::find_if(properties.begin(), properties.end(),
                              [&](const Property& p) { return p.name == propertyName; });
    return found == properties.end() ? nullptr : &*found;
}

const ObjectNode* ObjectNode::FindObject(std::string_view objectName) const {
    if (name == objectName) {
        return this;
    }
    for (const ObjectNode& child : children) {
        if (const ObjectNode* found = child.FindObject(objectName)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace hostfw::dfm
