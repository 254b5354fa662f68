#include "scripts/script_answers.h"

#include <unordered_map>

#include "scripts/script_error.h"

namespace host {
namespace {

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

[[noreturn]] void UnknownKey(const std::string& key, const std::string& title) {
    throw ScriptError("a chave \"" + key + "\" não está entre as linhas de '" + title + "'.");
}

}  // namespace

std::vector<size_t> RowsOfKeys(const hostfw::RowSource& rows, const std::vector<std::string>& keys,
                               const std::string& title, std::vector<std::string>* missing) {
    // One pass over the rows, however many there are.
    std::unordered_map<std::string, bool> found;
    for (const std::string& key : keys)
        found.emplace(Trimmed(key), false);
    std::vector<size_t> chosen;
    for (size_t row = 0; row < rows.RowCount(); ++row) {
        const auto it = found.find(Trimmed(rows.Key(row)));
        if (it != found.end()) {
            it->second = true;
            chosen.push_back(row);
        }
    }
    for (const std::string& key : keys) {
        if (found[Trimmed(key)])
            continue;
        if (missing == nullptr)
            UnknownKey(key, title);
        missing->push_back(Trimmed(key));
        found[Trimmed(key)] = true;  // a key given twice is missing once
    }
    return chosen;
}

size_t RowOfKey(const hostfw::RowSource& rows, const std::string& key, const std::string& title) {
    for (size_t row = 0; row < rows.RowCount(); ++row) {
        if (Trimmed(rows.Key(row)) == Trimmed(key))
            return row;
    }
    UnknownKey(key, title);
}

}  // namespace host
