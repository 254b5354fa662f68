#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "host/controls/date_edit_plus.h"
#include "unit/module/module_fixture.h"

namespace moduletest {
namespace {

using namespace hostfw;

// A preview through the real report engine, over a copy of the shipped definitions whose
// first variant also declares a parameter the form knows nothing of.
class ReportRun : public ModuleTest {
protected:
    ReportRun() {
        std::filesystem::create_directories(reports_);
        for (const char* name : {"EXP036-001.json", "EXP036-002.json"})
            std::filesystem::copy_file(EXP036_SOURCE_DIR "/reports/" + std::string(name),
                                       reports_ / name);
        nlohmann::json definition;
        std::ifstream(reports_ / "EXP036-001.json") >> definition;
        for (const char* engine : {"sqlite", "postgresql", "firebird"}) {
            auto& sql = definition["sql"][engine];
            sql.insert(sql.end() - 1, "   AND (CAST(:P_TCDFILIAL AS VARCHAR(4)) IS NULL)");
        }
        std::ofstream(reports_ / "EXP036-001.json") << definition.dump(2);
        Session().reportDir = reports_.string();
    }
    ~ReportRun() override { std::filesystem::remove_all(reports_); }

    std::filesystem::path reports_ = std::filesystem::temp_directory_path() /
                                     ("exp036-module-reports-" + std::to_string(::getpid()));
};

TEST_F(ReportRun, AParameterTheFormLeavesAloneIsBoundAsNull) {
    OpenEmbedded();
    UserActions::ReplaceText(Control<TDateEditPlus>("depInicial"), "01/01/2025");
    UserActions::ReplaceText(Control<TDateEditPlus>("depFinal"), "31/12/2025");
    UserActions::Click(Control<TControl>("sbtPreview"));
    ASSERT_TRUE(Messages().empty()) << Messages()[0];
    ASSERT_GT(ui.reportRuns, 0);
    const TParams& bound = ui.reportParams;
    EXPECT_TRUE(bound.ParamByName("P_TCDFILIAL").IsNull());
    EXPECT_EQ(bound.ParamByName("P_CDFILIAL").AsString(), "0001");
    EXPECT_EQ(bound.ParamByName("P_STATUS").AsString(), "PEAC");
    EXPECT_EQ(ui.notes.back(), "preview: Consulta Lançamentos - Data de Emissão");
}

}  // namespace
}  // namespace moduletest
