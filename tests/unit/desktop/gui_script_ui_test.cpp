// A script run through the windows reads as a headless one: what the form does without a
// dialog reaches the attached script's transcript and expectations through the desktop UI.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "desktop/gui_script_ui.h"
#include "desktop/screenshots.h"
#include "host/data/params.h"
#include "host/ui/host_context.h"

namespace desktoptest {
namespace {

class GuiScriptUiTest : public ::testing::Test {
protected:
    GuiScriptUiTest() {
        context.Application().SetUi(&ui);
        ui.Attach({&scripted, host::GuiScriptUi::MessageReader::Script});
    }
    ~GuiScriptUiTest() override { context.Application().SetUi(nullptr); }

    std::ostringstream out;
    host::RunStatus status;
    host::Transcript transcript{out};
    host::ScriptedUi scripted{transcript, status};
    hostfw::HostContext context;
    host::Screenshots none{""};
    host::GuiScriptUi ui{context.Screen(), nullptr, none};
};

TEST_F(GuiScriptUiTest, TheAttachedScriptHearsWhatTheFormDoesAndWritesItInRunOrder) {
    hostfw::HostObserver& observer = context.Application().Observer();
    context.ServerCalls().Notify({"TsmConsulta", "Filiais", {"0001"}});
    hostfw::TParams params;
    params.CreateParam("P_CDFILIAL").SetAsString("0001");
    observer.ReportQueryBound(params);
    observer.Notify({"exported: a.csv", "Relatório exportado para a.csv."});

    ASSERT_TRUE(scripted.Observer().LastServerCall().has_value());
    EXPECT_EQ(scripted.Observer().LastServerCall()->arguments, std::vector<std::string>{"0001"});
    ASSERT_TRUE(scripted.Observer().LastReportParams().has_value());
    EXPECT_EQ(scripted.Observer().LastReportParams()->front().first, "P_CDFILIAL");
    const std::string written = out.str();
    const auto call = written.find("call: ");
    const auto param = written.find("param: P_CDFILIAL=\"0001\"");
    const auto exported = written.find("exported: a.csv");
    ASSERT_NE(call, std::string::npos) << written;
    ASSERT_NE(param, std::string::npos) << written;
    ASSERT_NE(exported, std::string::npos) << written;
    EXPECT_LT(call, param);
    EXPECT_LT(param, exported);
    EXPECT_FALSE(status.Failed());
}

TEST_F(GuiScriptUiTest, ANoticeInEnglishFailsTheRunAndDetachedTheScriptHearsNothing) {
    context.Application().Observer().Notify({"saved: a.txt", "Report saved."});
    EXPECT_TRUE(status.Failed());

    ui.Attach({});
    const std::string before = out.str();
    context.ServerCalls().Notify({"TsmConsulta", "Filiais", {"0002"}});
    context.Application().Observer().Notify({"saved: b.txt", "Relatório salvo."});
    EXPECT_EQ(out.str(), before);
    EXPECT_FALSE(scripted.Observer().LastServerCall().has_value());
}

}  // namespace
}  // namespace desktoptest
