#include "host/base_form/message_format.h"

namespace hostfw {

std::string FormatMessage(const std::string& text, std::initializer_list<std::string> arguments) {
    std::string out;
    auto next = arguments.begin();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char following = i + 1 < text.size() ? text[i + 1] : '\0';
        if (text[i] == '%' && following == 's') {
            if (next != arguments.end())
                out += *next++;
            ++i;
        } else if (text[i] == '%' && following == '%') {
            out += '%';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace hostfw
