#pragma once

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "host/base_form/form_choice.h"
#include "host/components/published_report_options.h"

namespace testsupport {

// A form's unit publishing its report options for the length of a test, under names of its own:
// a branch edit, two dates, a variant combo, two status boxes (P, E) and three list groups.
class PublishedTestOptions : public ::testing::Test {
protected:
    PublishedTestOptions() {
        using Kind = hostfw::ReportOption::Kind;
        hostfw::PublishReportOptions(
            kUnit, {{"branch", Kind::Text, "edtBranch", "", "", {}},
                    {"from", Kind::Text, "dateFrom", "", "", {}},
                    {"to", Kind::Text, "dateTo", "", "", {}},
                    {"variant", Kind::Index, "cbbVariant", "", "", {}},
                    {"statuses", Kind::Letters, "", "", "", {{'P', "boxP"}, {'E', "boxE"}}},
                    {"clients", Kind::List, "listClients", "allClients", "btnClients", {}},
                    {"destinations", Kind::List, "listDest", "allDest", "btnDest", {}},
                    {"invoices", Kind::List, "listInv", "allInv", "btnInv", {}}});
    }
    ~PublishedTestOptions() override { hostfw::WithdrawReportOptions(kUnit); }

    static constexpr const char* kUnit = "TestUnit";

    // The choice for a control; fails the test when there is none.
    static const hostfw::ControlChoice& Control(const hostfw::FormChoice& choice,
                                                const char* name) {
        const hostfw::ControlChoice* found = hostfw::FindControlChoice(choice, name);
        if (found == nullptr)
            throw std::runtime_error(std::string("no choice for ") + name);
        return *found;
    }
    static bool Has(const hostfw::FormChoice& choice, const char* name) {
        return hostfw::FindControlChoice(choice, name) != nullptr;
    }
};

}  // namespace testsupport
