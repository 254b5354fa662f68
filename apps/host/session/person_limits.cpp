#include "session/person_limits.h"

#include "host/services/text_rules.h"
#include "host/session/session.h"

namespace host {
namespace {

const hostfw::Person* BoundPerson(const hostfw::SessionSettings& session) {
    const auto& person = session.person;
    return person && person->bound ? &*person : nullptr;
}

std::string BoundText(const hostfw::Person& person) {
    return "A pessoa " + person.login + " trabalha só na filial " + person.homeBranch;
}

}  // namespace

std::optional<std::string> BranchRefusal(const hostfw::SessionSettings& session,
                                         const std::string& branch) {
    const hostfw::Person* person = BoundPerson(session);
    if (person == nullptr || branch.empty())
        return std::nullopt;
    const int width = static_cast<int>(person->homeBranch.size());
    if (hostfw::Ajusta(branch, width) == person->homeBranch)
        return std::nullopt;
    return BoundText(*person) + "; a filial " + branch + " não lhe é permitida.";
}

std::optional<std::string> BindingRefusal(const hostfw::SessionSettings& session, bool bound) {
    const hostfw::Person* person = BoundPerson(session);
    if (person == nullptr || bound)
        return std::nullopt;
    return BoundText(*person) + "; a sessão não pode ser desvinculada dela.";
}

std::optional<std::string> DatabaseChangeRefusal(const hostfw::SessionSettings& session) {
    const auto& person = session.person;
    if (!person)
        return std::nullopt;
    return "A pessoa " + person->login +
           " entrou neste banco de dados; para usar outro, inicie outra sessão.";
}

}  // namespace host
