#include <gtest/gtest.h>

#include <QHeaderView>
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

TEST(PickerOrder, NumbersAndDatesSortByValueTextByLettersAndAHeaderClickSorts) {
    testsupport::StringRows invoices({{"1000", "31/01/2025", "Ágata"},
                                      {"2", "02/02/2024", "bruno"},
                                      {"100", "", "Caio"},
                                      {"1.500,00", "15/12/2025", "abel"}},
                                     {{"Nº", 0}, {"Emissão", 0}, {"Nome", 0}});
    hostfw::ListPickRequest request{"Nota Fiscal", "", &invoices, {false, true, false, false}};
    ListPickerDialog dialog(request, nullptr);
    dialog.show();
    const auto order = [&] {
        std::vector<size_t> rows;
        for (int shown = 0; shown < dialog.Model().rowCount(); ++shown)
            rows.push_back(dialog.Model().SourceRow(shown));
        return rows;
    };
    QHeaderView& header = *dialog.Rows().Table().horizontalHeader();
    const auto click = [&](int section) {
        QTest::mouseClick(header.viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(header.sectionViewportPosition(section) + 5, 5));
    };
    EXPECT_EQ(order(), (std::vector<size_t>{0, 1, 2, 3})) << "the source order at first";
    click(1);
    EXPECT_EQ(order(), (std::vector<size_t>{1, 2, 0, 3})) << "2, 100, 1.000, 1.500,00";
    click(1);
    EXPECT_EQ(order(), (std::vector<size_t>{3, 0, 2, 1})) << "a second click turns it round";
    click(2);
    EXPECT_EQ(order(), (std::vector<size_t>{2, 1, 0, 3})) << "a blank date first, then by day";
    click(3);
    EXPECT_EQ(order(), (std::vector<size_t>{3, 0, 1, 2})) << "abel, Ágata, bruno, Caio";
    click(0);
    EXPECT_EQ(order(), (std::vector<size_t>{1, 0, 2, 3})) << "the marked rows first";
    // The filter keeps the order it finds ("bruno" has no "a").
    dialog.Rows().FilterBox().setText("a");
    EXPECT_EQ(order(), (std::vector<size_t>{0, 2, 3}));
    click(3);
    EXPECT_EQ(order(), (std::vector<size_t>{3, 0, 2})) << "sorted while filtered";
    EXPECT_EQ(dialog.Model().CountText(), QString("1 de 4 marcada"));
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
