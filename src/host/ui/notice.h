#pragma once

#include <filesystem>
#include <string>
#include <utility>

namespace hostfw {

// Something a user would notice that has no dialog of its own, told two ways: `line` in the
// stable wording a script's transcript keeps ("printed: FILE"), `text` as a person reads it on
// the screen, in Portuguese (empty when a window already shows it, as the wait animation).
// `folder` names where a file was kept for the person to find, when it matters that they do.
struct Notice {
    Notice(std::string transcriptLine, std::string personText, std::filesystem::path keptIn = {})
        : line(std::move(transcriptLine)), text(std::move(personText)), folder(std::move(keptIn)) {}

    std::string line;
    std::string text;
    std::filesystem::path folder;
};

}  // namespace hostfw
