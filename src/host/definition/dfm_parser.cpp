#include "host/definition/dfm_parser.h"

#include <algorithm>
#include <utility>

#include "host/core/exception.h"

namespace hostfw::dfm {

namespace {

// Deeper nesting than any real form: refuse it before the stack runs out.
constexpr int kMaxNesting = 200;

bool sameLetters(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c | 0x20) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

// Keywords are matched regardless of letter case, as the format's own readers do.
bool isWord(const Token& token, std::string_view word) {
    return token.kind == TokenKind::Identifier && sameLetters(token.text, word);
}

bool opensObject(const Token& token) {
    return isWord(token, "object") || isWord(token, "inherited") || isWord(token, "inline");
}

// Reserved words of the language cannot be a value: "Caption =" followed by "end" is a
// missing value, not the identifier end.
bool isReservedWord(const Token& token) {
    return isWord(token, "end") || isWord(token, "object") || isWord(token, "inherited");
}

bool isSymbol(const Token& token, char symbol) {
    return token.kind == TokenKind::Symbol && token.text[0] == symbol;
}

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

std::string describe(const Token& token) {
    switch (token.kind) {
        case TokenKind::Identifier:
        case TokenKind::Symbol:
            return quoted(token.text);
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
        current_ = lexer_.next();
    }

    ObjectNode parseRoot() {
        ObjectNode root = parseObject(0);
        if (current_.kind != TokenKind::End) {
            failHere("conteúdo depois do fim do objeto " + quoted(root.name));
        }
        return root;
    }

private:
    ObjectNode parseObject(int depth) {
        checkDepth(depth);
        if (!opensObject(current_)) {
            failHere("esperado 'object', 'inherited' ou 'inline'");
        }
        ObjectNode node;
        node.line = current_.line;
        node.inherited = !isWord(current_, "object");
        const Token keyword = take();
        node.name = expectIdentifier("esperado o nome do objeto depois de " + quoted(keyword.text));
        if (isSymbol(current_, ':')) {
            take();
            node.className = expectIdentifier("esperado o nome da classe depois de ':'");
        } else {
            // "object TFoo": a component without a name.
            node.className = std::exchange(node.name, {});
        }
        parseBody(node, depth);
        return node;
    }

    // Properties first, then children, then "end".
    void parseBody(ObjectNode& node, int depth) {
        const std::string label = quoted(node.name.empty() ? node.className : node.name);
        for (;;) {
            if (isWord(current_, "end")) {
                take();
                return;
            }
            if (opensObject(current_)) {
                node.children.push_back(parseObject(depth + 1));
            } else if (current_.kind == TokenKind::Identifier) {
                if (!node.children.empty()) {
                    failHere("propriedade " + quoted(current_.text) + " depois dos objetos de " +
                             label + "; as propriedades vêm antes dos objetos");
                }
                node.properties.push_back(parseProperty(depth));
            } else if (current_.kind == TokenKind::End) {
                failHere("esperado 'end' para fechar o objeto " + label + " aberto na linha " +
                         std::to_string(node.line));
            } else {
                failHere("esperado uma propriedade, um objeto ou 'end' em " + label);
            }
        }
    }

    Property parseProperty(int depth) {
        const int line = current_.line;
        std::string name = take().text;
        if (!isSymbol(current_, '=')) {
            failHere("esperado '=' depois de " + quoted(name));
        }
        take();
        Value value = parseValue(name, depth);
        return Property{std::move(name), std::move(value), line};
    }

    Value parseValue(const std::string& propertyName, int depth) {
        checkDepth(depth);
        const int line = current_.line;
        switch (current_.kind) {
            case TokenKind::Integer:
                return Value::integer(take().integer, line);
            case TokenKind::Float:
                return Value::floating(take().number, line);
            case TokenKind::String:
                return parseConcatenation();
            case TokenKind::Identifier:
                if (isReservedWord(current_)) {
                    break;
                }
                return Value::identifier(take().text, line);
            case TokenKind::Binary:
                return Value::binary(take().bytes, line);
            case TokenKind::Symbol:
                if (isSymbol(current_, '[')) {
                    return parseSet(propertyName);
                }
                if (isSymbol(current_, '(')) {
                    return parseList(propertyName, depth);
                }
                if (isSymbol(current_, '<')) {
                    return parseCollection(propertyName, depth);
                }
                break;
            case TokenKind::End:
                break;
        }
        failHere("esperado um valor para " + quoted(propertyName));
    }

    // 'first part' + 'second part', usually split over lines.
    Value parseConcatenation() {
        const int line = current_.line;
        std::string text = take().text;
        while (isSymbol(current_, '+')) {
            take();
            if (current_.kind != TokenKind::String) {
                failHere("esperado um texto depois de '+'");
            }
            text += take().text;
        }
        return Value::string(std::move(text), line);
    }

    Value parseSet(const std::string& propertyName) {
        const int line = take().line;
        std::vector<std::string> members;
        if (!isSymbol(current_, ']')) {
            for (;;) {
                members.push_back(expectIdentifier("esperado um identificador no conjunto de " +
                                                   quoted(propertyName)));
                if (isSymbol(current_, ']')) {
                    break;
                }
                if (!isSymbol(current_, ',')) {
                    failHere("esperado ',' ou ']' no conjunto de " + quoted(propertyName));
                }
                take();
            }
        }
        take();
        return Value::set(std::move(members), line);
    }

    Value parseList(const std::string& propertyName, int depth) {
        const int line = take().line;
        std::vector<Value> values;
        while (!isSymbol(current_, ')')) {
            if (current_.kind == TokenKind::End || isReservedWord(current_)) {
                failHere("esperado ')' para fechar a lista de " + quoted(propertyName) +
                         " aberta na linha " + std::to_string(line));
            }
            values.push_back(parseValue(propertyName, depth + 1));
        }
        take();
        return Value::list(std::move(values), line);
    }

    Value parseCollection(const std::string& propertyName, int depth) {
        const int line = take().line;
        std::vector<Item> items;
        while (!isSymbol(current_, '>')) {
            if (!isWord(current_, "item")) {
                failHere("esperado 'item' ou '>' na coleção de " + quoted(propertyName));
            }
            items.push_back(parseItem(depth + 1));
        }
        take();
        return Value::collection(std::move(items), line);
    }

    Item parseItem(int depth) {
        const int line = take().line;
        Item item;
        while (!isWord(current_, "end")) {
            if (current_.kind != TokenKind::Identifier) {
                failHere("esperado uma propriedade ou 'end' no item aberto na linha " +
                         std::to_string(line));
            }
            item.push_back(parseProperty(depth));
        }
        take();
        return item;
    }

    std::string expectIdentifier(const std::string& what) {
        if (current_.kind != TokenKind::Identifier) {
            failHere(what);
        }
        return take().text;
    }

    void checkDepth(int depth) const {
        if (depth > kMaxNesting) {
            failHere("aninhamento com mais de " + std::to_string(kMaxNesting) + " níveis");
        }
    }

    Token take() { return std::exchange(current_, lexer_.next()); }

    [[noreturn]] void failHere(const std::string& what) const {
        lexer_.fail(current_.line, current_.column, what + ", encontrado " + describe(current_));
    }

    Lexer lexer_;
    Token current_;
};

}  // namespace

Value::Value(Kind kind, Payload payload, int line)
    : kind_(kind), payload_(std::move(payload)), line_(line) {}

Value Value::integer(std::int64_t value, int line) {
    return {Kind::Integer, value, line};
}
Value Value::floating(double value, int line) {
    return {Kind::Float, value, line};
}
Value Value::string(std::string value, int line) {
    return {Kind::String, std::move(value), line};
}
Value Value::identifier(std::string name, int line) {
    return {Kind::Identifier, std::move(name), line};
}
Value Value::set(std::vector<std::string> members, int line) {
    return {Kind::Set, std::move(members), line};
}
Value Value::list(std::vector<Value> values, int line) {
    return {Kind::List, std::move(values), line};
}
Value Value::collection(std::vector<Item> items, int line) {
    return {Kind::Collection, std::move(items), line};
}
Value Value::binary(Bytes bytes, int line) {
    return {Kind::Binary, std::move(bytes), line};
}

template <class T>
const T& Value::payloadAs(Kind wanted) const {
    if (kind_ != wanted) {
        throw Exception("linha " + std::to_string(line_) + ": esperado " + kindName(wanted) +
                        ", encontrado " + kindName(kind_));
    }
    return std::get<T>(payload_);
}

std::int64_t Value::asInteger() const {
    return payloadAs<std::int64_t>(Kind::Integer);
}

double Value::asFloat() const {
    if (kind_ == Kind::Integer) {
        return static_cast<double>(asInteger());
    }
    return payloadAs<double>(Kind::Float);
}

const std::string& Value::asString() const {
    return payloadAs<std::string>(Kind::String);
}

const std::string& Value::asIdentifier() const {
    return payloadAs<std::string>(Kind::Identifier);
}

const std::vector<std::string>& Value::asSet() const {
    return payloadAs<std::vector<std::string>>(Kind::Set);
}

const std::vector<Value>& Value::asList() const {
    return payloadAs<std::vector<Value>>(Kind::List);
}

const std::vector<Item>& Value::asCollection() const {
    return payloadAs<std::vector<Item>>(Kind::Collection);
}

const Bytes& Value::asBinary() const {
    return payloadAs<Bytes>(Kind::Binary);
}

std::vector<std::string> Value::asStrings() const {
    std::vector<std::string> lines;
    for (const Value& element : asList()) {
        lines.push_back(element.asString());
    }
    return lines;
}

std::string kindName(Value::Kind kind) {
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

ObjectNode parseDfm(std::string_view text, std::string_view sourceName) {
    return Parser(text, sourceName).parseRoot();
}

const Property* ObjectNode::findProperty(std::string_view propertyName) const {
    auto found = std::find_if(properties.begin(), properties.end(),
                              [&](const Property& p) { return p.name == propertyName; });
    return found == properties.end() ? nullptr : &*found;
}

const ObjectNode* ObjectNode::findObject(std::string_view objectName) const {
    if (name == objectName) {
        return this;
    }
    for (const ObjectNode& child : children) {
        if (const ObjectNode* found = child.findObject(objectName)) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace hostfw::dfm
