#include "desktop/display_check.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace host {
namespace {

const char* const kHowToRunHeadless =
    "Rode sem janela com --script ARQUIVO (veja docs/scripting.md) ou o subcomando report, "
    "ou defina QT_QPA_PLATFORM=offscreen.";

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// A local X display (":N" or ":N.S") answers on its socket; a remote one is left to Qt.
bool LocalDisplayAnswers(const std::string& display) {
    if (display.empty() || display[0] != ':')
        return true;
    const std::string number = display.substr(1, display.find('.') - 1);
    const std::string path = "/tmp/.X11-unix/X" + number;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    const bool answers =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(fd);
    return answers;
}

}  // namespace

std::optional<std::string> MissingDisplay() {
    if (!Environment("QT_QPA_PLATFORM").empty() || !Environment("WAYLAND_DISPLAY").empty())
        return std::nullopt;
    const std::string display = Environment("DISPLAY");
    if (display.empty())
        return std::string("Não há tela para abrir a janela (DISPLAY não está definido). ") +
               kHowToRunHeadless;
    if (!LocalDisplayAnswers(display))
        return "A tela " + display + " não responde. " + kHowToRunHeadless;
    return std::nullopt;
}

}  // namespace host
