#include "host/report/page_spool.h"

#include <cerrno>
#include <cstdint>

#include "host/core/exception.h"
#include "host/core/system_error_text.h"

namespace hostfw {
namespace {

[[noreturn]] void SpoolFailure() {
    throw Exception("Falha ao gravar o arquivo temporário do relatório (" + SystemErrorText(errno) +
                    ").");
}

[[noreturn]] void SpoolUnreadable() {
    throw Exception("Falha ao ler o arquivo temporário do relatório.");
}

void WriteNumber(std::FILE* file, std::uint32_t value) {
    if (std::fwrite(&value, sizeof value, 1, file) != 1)
        SpoolFailure();
}

std::uint32_t ReadNumber(std::FILE* file) {
    std::uint32_t value = 0;
    if (std::fread(&value, sizeof value, 1, file) != 1)
        SpoolUnreadable();
    return value;
}

}  // namespace

PageSpool::PageSpool() : file_(std::tmpfile()) {
    if (!file_)
        throw Exception("Não foi possível criar o arquivo temporário do relatório.");
}

void PageSpool::Write(const PrintedLines& body) {
    std::FILE* file = file_.get();
    WriteNumber(file, static_cast<std::uint32_t>(body.size()));
    for (const PrintedLine& line : body) {
        WriteNumber(file, static_cast<std::uint32_t>(line.kind));
        WriteNumber(file, static_cast<std::uint32_t>(line.style));
        WriteNumber(file, static_cast<std::uint32_t>(line.texts.size()));
        for (const std::string& text : line.texts) {
            WriteNumber(file, static_cast<std::uint32_t>(text.size()));
            if (!text.empty() && std::fwrite(text.data(), 1, text.size(), file) != text.size()) {
                SpoolFailure();
            }
        }
    }
    ++pageCount_;
}

void PageSpool::Rewind() {
    if (std::fflush(file_.get()) != 0 || std::fseek(file_.get(), 0, SEEK_SET) != 0)
        SpoolFailure();
    pagesRead_ = 0;
}

bool PageSpool::Read(PrintedLines& body) {
    if (pagesRead_ == pageCount_)
        return false;
    std::FILE* file = file_.get();
    body.resize(ReadNumber(file));
    for (PrintedLine& line : body) {
        line.kind = static_cast<BandLine::Kind>(ReadNumber(file));
        line.style = static_cast<LineStyle>(ReadNumber(file));
        line.texts.resize(ReadNumber(file));
        for (std::string& text : line.texts) {
            text.resize(ReadNumber(file));
            if (!text.empty() && std::fread(text.data(), 1, text.size(), file) != text.size()) {
                SpoolUnreadable();
            }
        }
    }
    ++pagesRead_;
    return true;
}

}  // namespace hostfw
