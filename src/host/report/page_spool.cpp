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
    // A page may have been read since the last one was written.
    if (std::fseek(file, end_, SEEK_SET) != 0)
        SpoolFailure();
    pageOffsets_.push_back(end_);
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
    end_ = std::ftell(file);
    if (end_ < 0)
        SpoolFailure();
    ++pageCount_;
}

void PageSpool::Seek(int index) {
    const long offset = index < pageCount_ ? pageOffsets_[static_cast<std::size_t>(index)] : 0;
    if (std::fflush(file_.get()) != 0 || std::fseek(file_.get(), offset, SEEK_SET) != 0)
        SpoolFailure();
    pagesRead_ = index;
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
