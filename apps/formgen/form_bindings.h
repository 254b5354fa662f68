#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/definition/dfm_parser.h"

namespace formgen {

// One parsed stored definition and the name it goes by in messages.
struct DefinitionFile {
    std::string shownAs;
    hostfw::dfm::ObjectNode root;
};

// A component the definition creates: a member of the form, typed by its class.
struct BoundMember {
    std::string name;
    std::string className;
};

// A handler name a definition binds to an event, and where it first does.
struct BoundHandler {
    std::string name;
    std::string shownAs;
    int line = 0;
};

// What the form class takes from its definitions: the members of the components its own
// definition creates (an ancestor's are the ancestor's members), and every handler named by
// its own definition or an ancestor's, since those names resolve against the actual class.
struct FormBindings {
    std::string formClass;
    std::string parentClass;  // the nearest ancestor's form class, or TForm
    std::vector<BoundMember> members;
    std::vector<BoundHandler> handlers;  // each name once, in the order first bound
};

// Event properties follow the toolkit's naming: OnClick, OnExit, BeforeConnect, OnAfterPesq.
bool IsEventProperty(std::string_view propertyName);

// `own` is the form's definition; `ancestors` those of its ancestor forms, nearest last.
FormBindings ReadFormBindings(const DefinitionFile& own,
                              const std::vector<DefinitionFile>& ancestors);

}  // namespace formgen
