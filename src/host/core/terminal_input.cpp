#include "host/core/terminal_input.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace hostfw {
namespace {

// The terminal, opened for the question and closed afterwards, with echo off for as long as the
// answer is typed.
class Terminal {
public:
    Terminal() : fd_(::open("/dev/tty", O_RDWR | O_CLOEXEC)) {
        if (fd_ >= 0 && tcgetattr(fd_, &saved_) != 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }
    ~Terminal() {
        if (fd_ < 0)
            return;
        tcsetattr(fd_, TCSAFLUSH, &saved_);
        ::close(fd_);
    }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    bool Open() const { return fd_ >= 0; }

    void Write(const std::string& text) const {
        for (size_t done = 0; done < text.size();) {
            const ssize_t n = ::write(fd_, text.data() + done, text.size() - done);
            if (n <= 0)
                return;
            done += static_cast<size_t>(n);
        }
    }

    std::optional<std::string> ReadHiddenLine() const {
        termios quiet = saved_;
        quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(fd_, TCSAFLUSH, &quiet);
        std::string line;
        char c = 0;
        while (true) {
            const ssize_t n = ::read(fd_, &c, 1);
            if (n <= 0)
                return line.empty() ? std::nullopt : std::optional<std::string>(line);
            if (c == '\n' || c == '\r')
                return line;
            line.push_back(c);
        }
    }

private:
    int fd_;
    termios saved_{};
};

}  // namespace

std::optional<std::string> AskHiddenOnTerminal(const std::string& prompt) {
    const Terminal terminal;
    if (!terminal.Open())
        return std::nullopt;
    terminal.Write(prompt);
    std::optional<std::string> answer = terminal.ReadHiddenLine();
    terminal.Write("\n");
    return answer;
}

}  // namespace hostfw
