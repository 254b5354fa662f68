#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "host/view/list_picker_dialog.h"
#include "support/string_rows.h"

namespace {

using hostfw::view::ListPickerDialog;

class Picker : public ::testing::Test {
protected:
    testsupport::StringRows rows{{{"1", "João"}, {"11", "Café"}, {"2", "Maria"}, {"21", "José"}},
                                 {{"Código", 6}, {"Nome", 30}}};
    hostfw::ListPickRequest request{
        "Cliente", "Marque os clientes", &rows, {false, false, true, false}};
};

TEST_F(Picker, TheFilterNarrowsByAnyColumnAndMarkAllMarksOnlyTheRowsShown) {
    ListPickerDialog dialog(request, nullptr);
    QTest::keyClicks(&dialog.Rows().FilterBox(), "jo");
    EXPECT_EQ(dialog.Model().rowCount(), 2) << "João and José";
    QTest::mouseClick(&dialog.MarkAllButton(), Qt::LeftButton);
    dialog.Rows().FilterBox().clear();
    EXPECT_EQ(dialog.Model().rowCount(), 4);
    dialog.accept();
    EXPECT_EQ(dialog.Result(), (std::vector<size_t>{0, 2, 3}));
    EXPECT_EQ(dialog.CountLabel().text(), QString("3 de 4 marcadas"));
}

TEST_F(Picker, TheFilterIgnoresCaseAndAccentsAndLooksInEachCellApart) {
    ListPickerDialog dialog(request, nullptr);
    const auto shownFor = [&](const char* typed) {
        dialog.Rows().FilterBox().setText(QString::fromUtf8(typed));
        std::vector<size_t> found;
        for (int shown = 0; shown < dialog.Model().rowCount(); ++shown)
            found.push_back(dialog.Model().SourceRow(shown));
        return found;
    };
    EXPECT_EQ(shownFor("CAFE"), (std::vector<size_t>{1}));
    EXPECT_EQ(shownFor("joão"), (std::vector<size_t>{0}));
    EXPECT_EQ(shownFor("JOSÉ"), (std::vector<size_t>{3}));
    EXPECT_EQ(shownFor("21"), (std::vector<size_t>{3})) << "a key typed finds its row";
    EXPECT_EQ(shownFor("1c"), (std::vector<size_t>{})) << "a match never runs across cells";
}

TEST_F(Picker, SpaceTogglesTheCurrentRowAndCancelGivesNothing) {
    ListPickerDialog dialog(request, nullptr);
    dialog.show();
    QTest::keyClick(&dialog.Rows().Table(), Qt::Key_Space);
    EXPECT_EQ(dialog.Model().MarkedRows(), (std::vector<size_t>{0, 2}));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.Result().has_value());
}

}  // namespace
