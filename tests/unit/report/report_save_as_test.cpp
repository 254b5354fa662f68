#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "host/core/exception.h"
#include "host/report/report_commands.h"
#include "host/report/report_definition_loader.h"
#include "report_test_support.h"

namespace reporttest {
namespace {

// Every file under a folder, with its content, to see that nothing else changed.
std::map<std::string, std::string> Snapshot(const std::filesystem::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(root)) {
        if (item.is_regular_file())
            files[std::filesystem::relative(item.path(), root).string()] = ReadFile(item.path());
    }
    return files;
}

class ReportSaveAs : public ReportTest {
protected:
    // Saves a copy of item 0 and checks that it is the only change under the test's folder.
    std::filesystem::path SaveCopy(const std::string& title) {
        auto before = Snapshot(folder);
        const auto saved = hostfw::SaveReportAs(catalog->Definition(0), title);
        EXPECT_TRUE(saved) << title;
        if (!saved)
            return {};
        auto after = Snapshot(folder);
        const std::string name = std::filesystem::relative(*saved, folder).string();
        EXPECT_EQ(after.erase(name), 1u) << name;
        EXPECT_EQ(after, before) << "only the copy may be new";
        return *saved;
    }
};

TEST_F(ReportSaveAs, ATitleThatLooksLikeAPathOnlyEverLandsInsideTheCopy) {
    for (const std::string title : {"../../etc/passwd", "a/b", "/tmp/x.json", "EXP036-001.json"}) {
        const std::filesystem::path copy = SaveCopy(title);
        EXPECT_EQ(copy.parent_path(), reportFolder) << title;
        EXPECT_EQ(hostfw::LoadReportDefinition(copy).title, title);
    }
    EXPECT_THAT(hostfw::ReportCatalog::Load(reportFolder, "EXP036").Entries(),
                ::testing::Each(::testing::Property(&hostfw::ReportCatalogEntry::IsUsable, true)));
    EXPECT_TRUE(std::filesystem::exists(reportFolder / "EXP036-006.json"));
}

TEST_F(ReportSaveAs, TheCopyKeepsEverythingButItsTitleAndNumber) {
    const std::filesystem::path copy = SaveCopy("  Lançamentos do mês  ");
    EXPECT_EQ(copy, reportFolder / "EXP036-003.json");
    const hostfw::ReportDefinition saved = hostfw::LoadReportDefinition(copy);
    const hostfw::ReportDefinition& original = catalog->Definition(0);
    EXPECT_EQ(saved.title, "Lançamentos do mês");
    EXPECT_EQ(saved.sequence, 3);
    EXPECT_EQ(saved.sql.sqlite, original.sql.sqlite);
    EXPECT_EQ(saved.sql.postgresql, original.sql.postgresql);
    EXPECT_EQ(saved.columns.size(), original.columns.size());
    // The chooser lists it after the two variants, under its title.
    const auto reloaded = hostfw::ReportCatalog::Load(reportFolder, "EXP036");
    ASSERT_EQ(reloaded.Entries().size(), 3u);
    EXPECT_EQ(reloaded.Entries()[2].Title(), "Lançamentos do mês");
}

TEST_F(ReportSaveAs, ABlankTitleSavesNothing) {
    const auto before = Snapshot(folder);
    for (const std::string title : {"", "   ", "\t"})
        EXPECT_FALSE(hostfw::SaveReportAs(catalog->Definition(0), title));
    EXPECT_EQ(Snapshot(folder), before);
}

TEST_F(ReportSaveAs, ATitleTooLongOrNotTextIsRefusedAndSavesNothing) {
    const auto before = Snapshot(folder);
    EXPECT_TRUE(SaveCopy(std::string(120, 'x')).filename() == "EXP036-003.json");
    const auto withCopy = Snapshot(folder);
    EXPECT_THROW(hostfw::SaveReportAs(catalog->Definition(0), std::string(121, 'x')),
                 hostfw::Exception);
    EXPECT_THROW(hostfw::SaveReportAs(catalog->Definition(0), "T\xEDtulo"), hostfw::Exception);
    EXPECT_EQ(Snapshot(folder), withCopy);
    EXPECT_EQ(withCopy.size(), before.size() + 1);
}

TEST_F(ReportSaveAs, AnExistingFileIsNeverReplacedEvenWhenItIsBroken) {
    WriteFile(reportFolder / "EXP036-003.json", "{ quebrado");
    WriteFile(reportFolder / "EXP036-007.json", "{ também quebrado");
    const std::filesystem::path copy = SaveCopy("Cópia");
    EXPECT_EQ(copy, reportFolder / "EXP036-008.json");
    EXPECT_EQ(ReadFile(reportFolder / "EXP036-003.json"), "{ quebrado");
    EXPECT_EQ(ReadFile(reportFolder / "EXP036-007.json"), "{ também quebrado");
}

TEST_F(ReportSaveAs, ADefinitionBrokenSinceItWasLoadedIsNotCopied) {
    WriteFile(reportFolder / "EXP036-001.json", "{}");
    const auto before = Snapshot(folder);
    EXPECT_THROW(hostfw::SaveReportAs(catalog->Definition(0), "Cópia"), hostfw::Exception);
    EXPECT_EQ(Snapshot(folder), before);
}

}  // namespace
}  // namespace reporttest
