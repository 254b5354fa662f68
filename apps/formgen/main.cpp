// exp036-formgen: a form's bindings generated from its stored definition at build time, as
// interface compilers do: its members and handler table, so that no list of names is written by
// hand beside the definition. Run by the build (cmake/FormBindings.cmake).
//
// usage: exp036-formgen --definition FILE [--ancestor FILE]... --namespace NS
//            --form-header HEADER --export-macro MACRO --export-header HEADER
//            --header-out FILE --source-out FILE

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "bindings_source.h"
#include "form_bindings.h"
#include "host/core/exception.h"
#include "host/core/whole_file.h"
#include "host/definition/dfm_parser.h"

namespace {

struct Arguments {
    std::string definition;
    std::vector<std::string> ancestors;
    std::map<std::string, std::string> values;  // every other option, once

    const std::string& Value(const std::string& option) const {
        auto found = values.find(option);
        if (found == values.end())
            throw hostfw::Exception("falta a opção " + option + ".");
        return found->second;
    }
};

Arguments ParseArguments(int argc, char** argv) {
    Arguments arguments;
    for (int i = 1; i < argc; i += 2) {
        const std::string option = argv[i];
        if (i + 1 >= argc)
            throw hostfw::Exception("a opção " + option + " espera um valor.");
        const std::string value = argv[i + 1];
        if (option == "--definition")
            arguments.definition = value;
        else if (option == "--ancestor")
            arguments.ancestors.push_back(value);
        else
            arguments.values[option] = value;
    }
    if (arguments.definition.empty())
        throw hostfw::Exception("falta a opção --definition.");
    return arguments;
}

formgen::DefinitionFile ReadDefinition(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw hostfw::Exception("não foi possível ler '" + path + "'.");
    std::ostringstream text;
    text << in.rdbuf();
    return {path, hostfw::dfm::ParseDfm(text.str(), path)};
}

// Rewritten only when the text changes, so an unchanged definition rebuilds nothing.
void WriteIfChanged(const std::filesystem::path& file, const std::string& text) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream current;
    current << in.rdbuf();
    if (in && current.str() == text)
        return;
    hostfw::WriteFileWhole(file, [&](hostfw::StagedFile& staged) {
        staged.Stream() << text;
        return true;
    });
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const Arguments arguments = ParseArguments(argc, argv);
        const formgen::DefinitionFile own = ReadDefinition(arguments.definition);
        std::vector<formgen::DefinitionFile> ancestors;
        std::string generatedFrom = arguments.definition;
        for (const std::string& path : arguments.ancestors) {
            ancestors.push_back(ReadDefinition(path));
            generatedFrom += " and " + path;
        }
        const formgen::FormBindings bindings = formgen::ReadFormBindings(own, ancestors);
        const formgen::SourceSettings settings{
            arguments.Value("--namespace"), arguments.Value("--form-header"),
            arguments.Value("--export-macro"), arguments.Value("--export-header"), generatedFrom};
        WriteIfChanged(arguments.Value("--header-out"), formgen::MembersHeader(bindings, settings));
        WriteIfChanged(arguments.Value("--source-out"),
                       formgen::BindingsSource(bindings, settings));
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "exp036-formgen: " << e.what() << "\n";
        return 1;
    }
}
