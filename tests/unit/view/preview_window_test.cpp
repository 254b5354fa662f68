#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <nlohmann/json.hpp>

#include "host/report/laid_out_report.h"
#include "host/report/report_definition_loader.h"
#include "host/view/preview_window.h"
#include "unit/report/report_test_support.h"

namespace {

using hostfw::view::PreviewWindow;

class Preview : public reporttest::ReportTest {
protected:
    // The issue-date report of the fixed rows on pages of 7 body lines: 3 pages.
    std::shared_ptr<const hostfw::LaidOutReport> ShortPages() {
        nlohmann::ordered_json document =
            nlohmann::ordered_json::parse(reporttest::ReadFile(reportFolder / "EXP036-001.json"));
        document["page"]["lines"] = 16;
        definition_ =
            hostfw::ParseReportDefinition(document.dump(), reportFolder / "EXP036-001.json");
        return hostfw::LaidOutReport::Start(Request(definition_), database);
    }

private:
    hostfw::ReportDefinition definition_;
};

TEST_F(Preview, OpensOnPageOneAndTheKeysTurnThePages) {
    QPointer<PreviewWindow> window = new PreviewWindow(ShortPages(), nullptr);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    EXPECT_EQ(window->PageLabel().text(), QString("Página 1 de 3"));

    // A key presses its button on the bar, which shows it pressed for a moment first.
    const auto press = [&](Qt::Key key) {
        QTest::keyClick(window, key);
        const auto buttons = window->findChildren<QToolButton*>();
        EXPECT_TRUE(QTest::qWaitFor([&] {
            return std::none_of(buttons.begin(), buttons.end(),
                                [](const QToolButton* button) { return button->isDown(); });
        }));
        return window->PageNumber();
    };
    EXPECT_EQ(press(Qt::Key_PageDown), 2);
    EXPECT_EQ(window->PageLabel().text(), QString("Página 2 de 3"));
    EXPECT_EQ(press(Qt::Key_End), 3);
    EXPECT_EQ(press(Qt::Key_PageDown), 3) << "no page after the last";
    EXPECT_EQ(press(Qt::Key_Home), 1);
    EXPECT_EQ(press(Qt::Key_PageUp), 1);
    QTest::keyClick(window, Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull()) << "Escape closes the preview";
}

TEST_F(Preview, TheZoomFitsTheWidthOrTheWholePageOrShowsItsOwnSize) {
    PreviewWindow window(ShortPages(), nullptr);
    window.resize(900, 600);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* scroll = window.findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    const QSize room = scroll->viewport()->size();
    const auto pageSize = [&](PreviewWindow::Zoom zoom) {
        window.SetZoom(zoom);
        return scroll->widget()->size();
    };
    const QSize wide = pageSize(PreviewWindow::Zoom::FitWidth);
    EXPECT_LE(wide.width(), room.width());
    EXPECT_GE(wide.width(), room.width() - 16);
    EXPECT_GT(wide.height(), room.height()) << "fitted in width, the page runs below the window";
    const QSize whole = pageSize(PreviewWindow::Zoom::FitPage);
    EXPECT_LE(whole.height(), room.height());
    EXPECT_LT(whole.width(), wide.width());
    const QSize actual = pageSize(PreviewWindow::Zoom::Actual);
    EXPECT_NEAR(actual.width(), 297 * window.logicalDpiX() / 25.4, 8)
        << "A4 landscape, its own size";
}

// Enough rows for a run to report its progress (every 256 rows).
class LongPreview : public Preview {
protected:
    LongPreview() {
        database = hostfw::OpenDatabase((folder / "demo.sqlite").string(), true);
        demodb::CreateSchema(*database);
        demodb::DemoOptions options;
        options.invoices = 6000;
        database->BeginTransaction();
        demodb::FillDemoData(*database, options);
        database->Commit();
    }
};

TEST_F(LongPreview, CancelOnTheProgressOfAnExportLeavesNoFileAndANotice) {
    reporttest::FormChoices wholePeriod;
    wholePeriod.to = hostfw::EncodeDate(2026, 12, 31);
    QPointer<PreviewWindow> window =
        new PreviewWindow(hostfw::LaidOutReport::Start(Request(0, wholePeriod), database), nullptr);
    window->Progress().SetDelay(0);
    for (const auto format : {hostfw::ReportFileFormat::Csv, hostfw::ReportFileFormat::Xlsx}) {
        SCOPED_TRACE(format == hostfw::ReportFileFormat::Csv ? "CSV" : "XLSX");
        const std::filesystem::path file =
            folder / (format == hostfw::ReportFileFormat::Csv ? "relatorio.csv" : "relatorio.xlsx");
        bool cancelled = false;
        QTimer::singleShot(0, [&] {
            for (QWidget* shown : QApplication::topLevelWidgets()) {
                if (auto* progress = qobject_cast<QProgressDialog*>(shown)) {
                    QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
                    cancelled = true;
                }
            }
        });
        EXPECT_FALSE(window->ExportRows(file, format));
        EXPECT_TRUE(cancelled) << "the progress dialog was on screen";
        EXPECT_FALSE(std::filesystem::exists(file));
        EXPECT_EQ(window->Notice().text(), QString("Exportação cancelada."));

        EXPECT_TRUE(window->ExportRows(file, format)) << "the preview still works";
        EXPECT_TRUE(std::filesystem::exists(file));
    }
    EXPECT_GT(reporttest::SplitLines(reporttest::ReadFile(folder / "relatorio.csv"), "\r\n").size(),
              256u);
    delete window;
}

}  // namespace
