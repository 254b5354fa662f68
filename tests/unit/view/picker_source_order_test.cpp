// A picker over rows that their source sorts itself (a query, in the database): the model keeps
// no order of its own, and the marks and the filter follow the rows to their new places.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/view/row_source_model.h"

namespace {

using hostfw::view::RowSourceModel;
using Rows = std::vector<std::vector<std::string>>;

// Code and name; the source puts them in a column's order when asked, or fails when told to.
class SelfSortingRows : public hostfw::RowSource {
public:
    explicit SelfSortingRows(Rows rows) : original_(rows), rows_(std::move(rows)) {}

    const std::vector<hostfw::GridColumn>& Columns() const override { return columns_; }
    std::size_t RowCount() const override { return rows_.size(); }
    std::string Cell(std::size_t row, std::size_t column) const override {
        return rows_[row][column];
    }
    std::string Key(std::size_t row) const override { return rows_[row][0]; }
    bool Reorders() const override { return true; }
    bool Reorder(std::optional<std::size_t> column, bool descending) const override {
        if (failNext) {
            failNext = false;
            throw std::runtime_error("banco fora do ar");
        }
        reorders.push_back(column);
        rows_ = original_;
        if (column) {
            std::stable_sort(rows_.begin(), rows_.end(), [&](const auto& a, const auto& b) {
                return descending ? a[*column] > b[*column] : a[*column] < b[*column];
            });
        }
        return true;
    }

    mutable std::vector<std::optional<std::size_t>> reorders;
    mutable bool failNext = false;

private:
    std::vector<hostfw::GridColumn> columns_{{"Código", 0}, {"Nome", 0}};
    Rows original_;
    mutable Rows rows_;
};

class PickerSourceOrder : public ::testing::Test {
protected:
    // The keys of the rows shown, in the order shown.
    std::vector<std::string> Shown() const {
        std::vector<std::string> keys;
        for (int shown = 0; shown < model.rowCount(); ++shown)
            keys.push_back(rows.Key(model.SourceRow(shown)));
        return keys;
    }
    std::vector<std::string> MarkedKeys() const {
        std::vector<std::string> keys;
        for (const std::size_t row : model.MarkedRows())
            keys.push_back(rows.Key(row));
        return keys;
    }

    SelfSortingRows rows{{{"1", "Maria"}, {"2", "Ana"}, {"3", "Carlos"}, {"4", "Bruno"}}};
    // "1" and "4" marked.
    RowSourceModel model{rows, {true, false, false, true}, true};
};

TEST_F(PickerSourceOrder, TheSourceSortsAndTheMarksStayWithTheirKeys) {
    model.sort(2, Qt::AscendingOrder);
    EXPECT_EQ(rows.reorders, (std::vector<std::optional<std::size_t>>{1}));
    EXPECT_EQ(Shown(), (std::vector<std::string>{"2", "4", "3", "1"}))
        << "Ana, Bruno, Carlos, Maria";
    // The model reads the rows in the source's order: no order of its own.
    EXPECT_EQ(model.SourceRow(0), 0u);
    EXPECT_EQ(MarkedKeys(), (std::vector<std::string>{"4", "1"}));
    EXPECT_EQ(model.MarkedCount(), 2u);

    model.sort(2, Qt::DescendingOrder);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"1", "3", "4", "2"}));
    EXPECT_EQ(MarkedKeys(), (std::vector<std::string>{"1", "4"}));

    // The marks column sorts the rows as the source now holds them.
    model.sort(0, Qt::AscendingOrder);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"1", "4", "3", "2"}));

    model.sort(-1, Qt::AscendingOrder);
    EXPECT_EQ(rows.reorders.back(), std::nullopt) << "the source's own order asked back";
    EXPECT_EQ(Shown(), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(MarkedKeys(), (std::vector<std::string>{"1", "4"}));
}

TEST_F(PickerSourceOrder, TheFilterIsLookedThroughAgainInTheNewOrder) {
    model.SetFilter("r");  // Maria, Carlos, Bruno
    EXPECT_EQ(Shown(), (std::vector<std::string>{"1", "3", "4"}));
    model.sort(2, Qt::AscendingOrder);
    EXPECT_EQ(Shown(), (std::vector<std::string>{"4", "3", "1"}));
    model.SetFilter("ar");  // narrowing keeps the order: Carlos, Maria
    EXPECT_EQ(Shown(), (std::vector<std::string>{"3", "1"}));
}

TEST_F(PickerSourceOrder, ASourceThatFailsToSortIsSortedInMemoryWithItsMarks) {
    rows.failNext = true;
    model.sort(2, Qt::AscendingOrder);
    EXPECT_TRUE(rows.reorders.empty());
    EXPECT_EQ(Shown(), (std::vector<std::string>{"2", "4", "3", "1"}));
    EXPECT_EQ(MarkedKeys(), (std::vector<std::string>{"1", "4"}));
}

}  // namespace
