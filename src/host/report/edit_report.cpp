#include <cstdlib>

#include "host/report/report_commands.h"

namespace hostfw {
namespace {

std::vector<std::string> SplitOnBlanks(const std::string& text) {
    std::vector<std::string> words;
    std::size_t start = text.find_first_not_of(" \t");
    while (start != std::string::npos) {
        const std::size_t end = text.find_first_of(" \t", start);
        words.push_back(text.substr(start, end - start));
        start = text.find_first_not_of(" \t", end);
    }
    return words;
}

}  // namespace

std::optional<std::vector<std::string>> EditorCommandLine(const std::filesystem::path& file) {
    for (const char* variable : {"VISUAL", "EDITOR"}) {
        const char* value = std::getenv(variable);
        std::vector<std::string> command = SplitOnBlanks(value != nullptr ? value : "");
        if (command.empty())
            continue;
        // Absolute, so a file name can never be read as an option of the editor.
        command.push_back(std::filesystem::absolute(file).string());
        return command;
    }
    return std::nullopt;
}

}  // namespace hostfw
