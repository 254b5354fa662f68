#include "session/person_limits.h"

#include "host/services/text_rules.h"
#include "host/session/session.h"
#include "host/ui/host_context.h"

namespace host {
namespace {

const hostfw::Person* BoundPerson() {
    const auto& person = hostfw::ProcessContext().Session().person;
    return person && person->bound ? &*person : nullptr;
}

std::string BoundText(const hostfw::Person& person) {
    return "A pessoa " + person.login + " trabalha só na filial " + person.homeBranch;
}

}  // namespace

std::optional<std::string> BranchRefusal(const std::string& branch) {
    const hostfw::Person* person = BoundPerson();
    if (person == nullptr || branch.empty())
        return std::nullopt;
    const int width = static_cast<int>(person->homeBranch.size());
    if (hostfw::Ajusta(branch, width) == person->homeBranch)
        return std::nullopt;
    return BoundText(*person) + "; a filial " + branch + " não lhe é permitida.";
}

std::optional<std::string> BindingRefusal(bool bound) {
    const hostfw::Person* person = BoundPerson();
    if (person == nullptr || bound)
        return std::nullopt;
    return BoundText(*person) + "; a sessão não pode ser desvinculada dela.";
}

std::optional<std::string> DatabaseChangeRefusal() {
    const auto& person = hostfw::ProcessContext().Session().person;
    if (!person)
        return std::nullopt;
    return "A pessoa " + person->login +
           " entrou neste banco de dados; para usar outro, inicie outra sessão.";
}

}  // namespace host
