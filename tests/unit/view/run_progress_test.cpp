#include <gtest/gtest.h>

#include "host/view/run_progress.h"

namespace {

using hostfw::RunStep;
using hostfw::view::RunStepText;

TEST(RunProgress, TheStepReadsAsRowsThenPagesLaidOutThenThePageOfTheWhole) {
    EXPECT_EQ(RunStepText(RunStep{12345, 0, 0, 0}), QString("12.345 linhas lidas"));
    EXPECT_EQ(RunStepText(RunStep{1, 1, 0, 0}),
              QString::fromUtf8("1 linha lida, 1 página montada"));
    EXPECT_EQ(RunStepText(RunStep{12345, 250, 0, 0}),
              QString::fromUtf8("12.345 linhas lidas, 250 páginas montadas"));
    EXPECT_EQ(RunStepText(RunStep{12345, 1400, 120, 1400}),
              QString::fromUtf8("Página 120 de 1.400 (12.345 linhas lidas)"));
}

}  // namespace
