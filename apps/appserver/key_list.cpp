#include "key_list.h"

namespace appserver {
namespace {

std::string_view Trimmed(std::string_view text) {
    constexpr std::string_view kBlanks = " \t";
    const auto first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

}  // namespace

std::string CanonicalKeyList(std::string_view list) {
    std::string canonical;
    while (true) {
        const auto comma = list.find(',');
        const std::string_view key = Trimmed(list.substr(0, comma));
        if (!key.empty()) {
            if (canonical.empty())
                canonical = ",";
            canonical.append(key).append(",");
        }
        if (comma == std::string_view::npos)
            break;
        list.remove_prefix(comma + 1);
    }
    return canonical;
}

}  // namespace appserver
