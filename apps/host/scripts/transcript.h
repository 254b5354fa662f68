#pragma once

#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <string_view>

namespace host {

// What a user would have seen, one event per line ("message: ...", "picker: ...").
// Texts inside an event line keep it one line: line breaks are written as \n.
class Transcript {
public:
    explicit Transcript(std::ostream& out) : out_(&out) {}

    // "kind: text" with the text folded to one line.
    void Event(std::string_view kind, std::string_view text);
    // A line as it is (report bodies, notices that are already one line).
    void Raw(std::string_view line);

private:
    std::ostream* out_;
};

// A transcript file, created or emptied; raises a clear error when it cannot be written.
std::ofstream OpenTranscriptFile(const std::filesystem::path& file);

// The text on one line: line breaks and tabs written as \n and \t.
std::string OneLine(std::string_view text);

}  // namespace host
