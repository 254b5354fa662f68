#include "scripts/transcript.h"

#include "host/core/exception.h"

namespace host {

std::string OneLine(std::string_view text) {
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            line += "\\n";
        } else if (c == '\t') {
            line += "\\t";
        } else if (c != '\r') {
            line += c;
        }
    }
    return line;
}

std::ofstream OpenTranscriptFile(const std::filesystem::path& file) {
    std::ofstream out(file, std::ios::trunc);
    if (!out)
        throw hostfw::Exception("Não foi possível criar a transcrição '" + file.string() + "'.");
    return out;
}

void Transcript::Event(std::string_view kind, std::string_view text) {
    *out_ << kind << ": " << OneLine(text) << '\n' << std::flush;
}

void Transcript::Raw(std::string_view line) {
    *out_ << line << '\n' << std::flush;
}

}  // namespace host
