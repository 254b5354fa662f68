#include "host/core/checked_output.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <streambuf>

#include "host/core/exception.h"
#include "host/core/system_error_text.h"

namespace hostfw {

class CheckedOutput::Buffer : public std::streambuf {
public:
    Buffer(int descriptor, std::string what) : descriptor_(descriptor), what_(std::move(what)) {
        setp(space_.data(), space_.data() + space_.size());
    }

protected:
    int_type overflow(int_type c) override {
        Drain();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    // Large pieces go straight out instead of through the buffer.
    std::streamsize xsputn(const char* data, std::streamsize size) override {
        if (size <= epptr() - pptr()) {
            traits_type::copy(pptr(), data, static_cast<std::size_t>(size));
            pbump(static_cast<int>(size));
            return size;
        }
        Drain();
        WriteAll(data, static_cast<std::size_t>(size));
        return size;
    }

    int sync() override {
        Drain();
        return 0;
    }

private:
    void Drain() {
        WriteAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
        setp(space_.data(), space_.data() + space_.size());
    }

    void WriteAll(const char* data, std::size_t size) {
        while (size > 0) {
            const ssize_t written = ::write(descriptor_, data, size);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                const int error = written < 0 ? errno : ENOSPC;
                throw Exception("Falha ao gravar " + what_ + " (" + SystemErrorText(error) + ").");
            }
            data += written;
            size -= static_cast<std::size_t>(written);
        }
    }

    int descriptor_;
    std::string what_;
    std::array<char, 64 * 1024> space_;
};

CheckedOutput::CheckedOutput(int descriptor, std::string what)
    : std::ostream(nullptr), buffer_(std::make_unique<Buffer>(descriptor, std::move(what))) {
    rdbuf(buffer_.get());
    // The buffer's own exception, with the system's reason, reaches the caller.
    exceptions(std::ios::badbit);
}

CheckedOutput::~CheckedOutput() = default;

void CheckedOutput::Finish() {
    flush();
}

}  // namespace hostfw
