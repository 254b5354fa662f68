#include "choices/choice_store.h"

#include "choices/saved_choice.h"

#include "host/core/exception.h"
#include "host/data/engine.h"
#include "host/data/saved_choices.h"
#include "host/data/shared_database.h"
#include "session/host_identity.h"

namespace host {
namespace {

// An embedded file (SQLite, Firebird) is the person's own and may gain the table; on a shared
// server's database the setup (exp036-demodb, exp036-admin setup) creates it for everyone.
std::shared_ptr<hostfw::Engine> Database() {
    auto engine = hostfw::SharedDatabase();
    if (engine->Embedded())
        hostfw::CreateSavedChoicesTable(*engine);
    return engine;
}

}  // namespace

void SavePreset(const std::string& report, const std::string& name, bool shared,
                const hostfw::FormChoice& choice) {
    hostfw::SaveChoice(*Database(), CurrentChoiceOwner(), report, name, shared,
                       hostfw::FormChoiceText(choice));
}

hostfw::FormChoice LoadPreset(const std::string& report, const std::string& name) {
    return ReadStoredChoice(
        hostfw::UsableChoice(*Database(), CurrentChoiceOwner(), report, name).choices, name);
}

std::optional<hostfw::StoredChoice> FindPreset(const std::string& report, const std::string& name) {
    return hostfw::FindChoice(*Database(), CurrentChoiceOwner(), report, name);
}

hostfw::StoredChoice RenamePreset(const std::string& report, const std::string& name,
                                  const std::string& newName) {
    return hostfw::RenameChoice(*Database(), CurrentChoiceOwner(), report, name, newName);
}

hostfw::StoredChoice DeletePreset(const std::string& report, const std::string& name) {
    return hostfw::DeleteChoice(*Database(), CurrentChoiceOwner(), report, name);
}

hostfw::StoredChoice SharePreset(const std::string& report, const std::string& name, bool shared) {
    return hostfw::ShareChoice(*Database(), CurrentChoiceOwner(), report, name, shared);
}

std::vector<hostfw::StoredChoice> AvailablePresets(const std::string& report) {
    return hostfw::ListChoices(*Database(), CurrentChoiceOwner(), report);
}

void KeepLastQuery(const std::string& report, const hostfw::FormChoice& choice) {
    hostfw::KeepLastQuery(*Database(), CurrentChoiceOwner(), report,
                          hostfw::FormChoiceText(choice));
}

hostfw::FormChoice LoadLastQuery(const std::string& report) {
    const auto text = hostfw::LastQuery(*Database(), CurrentChoiceOwner(), report);
    if (!text)
        throw hostfw::Exception("Ainda não há última consulta deste relatório para repetir.");
    return ReadStoredChoice(*text, "última consulta");
}

}  // namespace host
