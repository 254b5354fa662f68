#pragma once

#include <string>

#include "form_bindings.h"

namespace formgen {

// Where the generated code lives and what it includes.
struct SourceSettings {
    std::string nameSpace;      // the form's namespace
    std::string formHeader;     // the hand-written header that declares the form class
    std::string exportMacro;    // visibility of the members' struct, as the form class has it
    std::string exportHeader;   // where that macro is defined
    std::string generatedFrom;  // the definitions, for the files' opening comment
};

// The header: forward declarations of the component classes and the struct of members
// (`<FormClass>Members`) the form class derives from.
std::string MembersHeader(const FormBindings& bindings, const SourceSettings& settings);

// The source: the form's RegisterHandlers and BindMembers. A handler the form class lacks stops
// the compilation with a message naming the definition, its line and the handler.
std::string BindingsSource(const FormBindings& bindings, const SourceSettings& settings);

}  // namespace formgen
