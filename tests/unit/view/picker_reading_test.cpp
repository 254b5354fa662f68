// A picker over rows its source reads as they are asked for (a query of a million clients): it is
// shown with the rows at hand, and the others come while the person looks.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <stdexcept>

#include "host/view/list_picker_dialog.h"

namespace {

using hostfw::view::ListPickerDialog;

// Codes "0" .. count-1, of which `known` are at hand; each read brings more, until `failAt` rows
// are read, where the read fails as a lost connection would.
class RowsReadOnDemand : public hostfw::RowSource {
public:
    RowsReadOnDemand(std::size_t count, std::size_t known, std::size_t failAt = SIZE_MAX)
        : count_(count), known_(known), failAt_(failAt) {}

    const std::vector<hostfw::GridColumn>& Columns() const override { return columns_; }
    std::size_t RowCount() const override {
        while (ReadMoreRows(1000) > 0) {
        }
        return known_;
    }
    std::size_t KnownRowCount() const override { return known_; }
    bool AllRowsKnown() const override { return known_ == count_; }
    std::size_t ReadMoreRows(std::size_t count) const override {
        if (known_ >= failAt_)
            throw std::runtime_error("a conexão caiu");
        const std::size_t read = std::min({count, count_ - known_, failAt_ - known_});
        known_ += read;
        return read;
    }
    std::string Cell(std::size_t row, std::size_t /*column*/) const override { return Key(row); }
    std::string Key(std::size_t row) const override {
        if (row >= known_)
            throw std::logic_error("a row not read yet was asked for");
        return std::to_string(row);
    }

private:
    std::size_t count_;
    mutable std::size_t known_;
    std::size_t failAt_;
    std::vector<hostfw::GridColumn> columns_{{"Código", 6}};
};

// Lets the event loop run until the picker has read every row it can, a bounded number of turns.
void LetTheRowsCome(ListPickerDialog& dialog) {
    for (int turn = 0; turn < 1000 && !dialog.Model().AllRowsRead(); ++turn)
        QCoreApplication::processEvents();
}

QString Count(std::size_t marked, std::size_t of) {
    const QLocale locale;
    return locale.toString(static_cast<qulonglong>(marked)) + " de " +
           locale.toString(static_cast<qulonglong>(of)) + " marcadas";
}

TEST(PickerReading, TheFirstRowsShowAtOnceAndTheRestComeWhileThePersonLooks) {
    RowsReadOnDemand rows(12345, 10);
    const hostfw::ListPickRequest request{"Cliente", "", &rows, {}};
    ListPickerDialog dialog(request, nullptr);
    EXPECT_EQ(dialog.Model().rowCount(), 10);
    EXPECT_EQ(dialog.CountLabel().text(), Count(0, 10) + " (lendo mais linhas…)");

    LetTheRowsCome(dialog);
    EXPECT_EQ(dialog.Model().rowCount(), 12345);
    EXPECT_EQ(dialog.CountLabel().text(), Count(0, 12345)) << "the count is final and says so";
}

TEST(PickerReading, ScrollingOnBringsTheNextRowsBeforeTheirTurn) {
    RowsReadOnDemand rows(5000, 10);
    const hostfw::ListPickRequest request{"Cliente", "", &rows, {}};
    ListPickerDialog dialog(request, nullptr);
    ASSERT_TRUE(dialog.Model().canFetchMore({}));
    dialog.Model().fetchMore({});
    EXPECT_GT(dialog.Model().rowCount(), 10);
    EXPECT_EQ(dialog.Model().rowCount(), static_cast<int>(rows.KnownRowCount()));
}

TEST(PickerReading, AFilterASortOrMarkingAllLooksAtEveryRowNotOnlyThoseAtHand) {
    {
        RowsReadOnDemand rows(3000, 10);
        const hostfw::ListPickRequest request{"Cliente", "", &rows, {}};
        ListPickerDialog dialog(request, nullptr);
        dialog.Rows().FilterBox().setText("2999");
        ASSERT_EQ(dialog.Model().rowCount(), 1) << "the last row was found before it was shown";
        EXPECT_EQ(dialog.Model().SourceRow(0), 2999u);
    }
    {
        RowsReadOnDemand rows(3000, 10);
        const hostfw::ListPickRequest request{"Cliente", "", &rows, {}};
        ListPickerDialog dialog(request, nullptr);
        QTest::mouseClick(&dialog.MarkAllButton(), Qt::LeftButton);
        EXPECT_EQ(dialog.Model().MarkedCount(), 3000u);
        EXPECT_EQ(dialog.CountLabel().text(), Count(3000, 3000));
    }
    {
        RowsReadOnDemand rows(3000, 10);
        const hostfw::ListPickRequest request{"Cliente", "", &rows, {false, true}};
        ListPickerDialog dialog(request, nullptr);
        dialog.Model().sort(0, Qt::AscendingOrder);
        ASSERT_EQ(dialog.Model().rowCount(), 3000);
        EXPECT_EQ(dialog.Model().SourceRow(0), 1u) << "the one marked row first, of all rows";
    }
}

TEST(PickerReading, AReadThatFailsStopsThereSaysWhyAndKeepsWhatCame) {
    RowsReadOnDemand rows(5000, 10, 2010);
    const hostfw::ListPickRequest request{"Cliente", "", &rows, {}};
    ListPickerDialog dialog(request, nullptr);
    LetTheRowsCome(dialog);
    EXPECT_TRUE(dialog.Model().AllRowsRead());
    EXPECT_EQ(dialog.Model().rowCount(), 2010);
    EXPECT_EQ(dialog.CountLabel().text(), Count(0, 2010) + " (a leitura parou: a conexão caiu)");
    dialog.Model().ToggleMark(2009);
    dialog.accept();
    EXPECT_EQ(dialog.Result(), (std::vector<std::size_t>{2009}));
}

}  // namespace
