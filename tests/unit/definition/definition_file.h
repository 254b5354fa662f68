#pragma once

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

// The text of a stored definition from the source tree.
inline std::string ReadSourceFile(const std::string& relativePath) {
    std::ifstream in(std::string(EXP036_SOURCE_DIR) + "/" + relativePath, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot open " + relativePath);
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline constexpr const char* kFormDefinition = "src/form/definition/Cli_exp03600.dfm";
inline constexpr const char* kBaseFormDefinition = "src/host/base_form/TfrmDadosGerRel.dfm";
