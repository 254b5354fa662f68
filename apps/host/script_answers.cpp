#include "script_answers.h"

#include <algorithm>

#include "script_error.h"

namespace host {
namespace {

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

[[noreturn]] void UnknownKey(const std::string& key, const std::string& title) {
    throw ScriptError("a chave \"" + key + "\" não está entre as linhas de '" + title + "'.");
}

}  // namespace

std::vector<size_t> RowsOfKeys(const std::vector<std::string>& rowKeys,
                               const std::vector<std::string>& keys, const std::string& title,
                               std::vector<std::string>* missing) {
    std::vector<bool> chosen(rowKeys.size(), false);
    for (const std::string& key : keys) {
        bool found = false;
        for (size_t row = 0; row < rowKeys.size(); ++row) {
            if (trimmed(rowKeys[row]) == trimmed(key)) {
                chosen[row] = true;
                found = true;
            }
        }
        if (!found && missing != nullptr)
            missing->push_back(trimmed(key));
        else if (!found)
            UnknownKey(key, title);
    }
    std::vector<size_t> rows;
    for (size_t row = 0; row < chosen.size(); ++row) {
        if (chosen[row])
            rows.push_back(row);
    }
    return rows;
}

size_t RowOfKey(const std::vector<std::string>& rowKeys, const std::string& key,
                const std::string& title) {
    const auto it = std::find_if(rowKeys.begin(), rowKeys.end(), [&](const std::string& row) {
        return trimmed(row) == trimmed(key);
    });
    if (it == rowKeys.end())
        UnknownKey(key, title);
    return static_cast<size_t>(it - rowKeys.begin());
}

}  // namespace host
