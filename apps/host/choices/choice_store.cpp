#include "choices/choice_store.h"

#include "choices/saved_choice.h"

#include "host/core/exception.h"
#include "host/data/engine.h"
#include "host/data/saved_choices.h"
#include "session/host_identity.h"

namespace host {
namespace {

// An embedded file (SQLite, Firebird) is the person's own and may gain the table; on a shared
// server's database the setup (exp036-demodb, exp036-admin setup) creates it for everyone.
std::shared_ptr<hostfw::Engine> Database(hostfw::DataContext& context) {
    auto engine = context.Database().Open();
    if (engine->Embedded())
        hostfw::CreateSavedChoicesTable(*engine);
    return engine;
}

}  // namespace

void SavePreset(hostfw::DataContext& context, const std::string& report, const std::string& name,
                bool shared, const hostfw::FormChoice& choice) {
    hostfw::SaveChoice(*Database(context), CurrentChoiceOwner(context.Session()), report, name,
                       shared, hostfw::FormChoiceText(choice));
}

hostfw::FormChoice LoadPreset(hostfw::DataContext& context, const std::string& report,
                              const std::string& name) {
    return ReadStoredChoice(
        hostfw::UsableChoice(*Database(context), CurrentChoiceOwner(context.Session()), report,
                             name)
            .choices,
        name);
}

std::optional<hostfw::StoredChoice> FindPreset(hostfw::DataContext& context,
                                               const std::string& report, const std::string& name) {
    return hostfw::FindChoice(*Database(context), CurrentChoiceOwner(context.Session()), report,
                              name);
}

hostfw::StoredChoice RenamePreset(hostfw::DataContext& context, const std::string& report,
                                  const std::string& name, const std::string& newName) {
    return hostfw::RenameChoice(*Database(context), CurrentChoiceOwner(context.Session()), report,
                                name, newName);
}

hostfw::StoredChoice DeletePreset(hostfw::DataContext& context, const std::string& report,
                                  const std::string& name) {
    return hostfw::DeleteChoice(*Database(context), CurrentChoiceOwner(context.Session()), report,
                                name);
}

hostfw::StoredChoice SharePreset(hostfw::DataContext& context, const std::string& report,
                                 const std::string& name, bool shared) {
    return hostfw::ShareChoice(*Database(context), CurrentChoiceOwner(context.Session()), report,
                               name, shared);
}

std::vector<hostfw::StoredChoice> AvailablePresets(hostfw::DataContext& context,
                                                   const std::string& report) {
    return hostfw::ListChoices(*Database(context), CurrentChoiceOwner(context.Session()), report);
}

void KeepLastQuery(hostfw::DataContext& context, const std::string& report,
                   const hostfw::FormChoice& choice) {
    hostfw::KeepLastQuery(*Database(context), CurrentChoiceOwner(context.Session()), report,
                          hostfw::FormChoiceText(choice));
}

hostfw::FormChoice LoadLastQuery(hostfw::DataContext& context, const std::string& report) {
    const auto text =
        hostfw::LastQuery(*Database(context), CurrentChoiceOwner(context.Session()), report);
    if (!text)
        throw hostfw::Exception("Ainda não há última consulta deste relatório para repetir.");
    return ReadStoredChoice(*text, "última consulta");
}

}  // namespace host
