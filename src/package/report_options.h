#pragma once

namespace Cli_exp03600 {

// The report command's options as this form takes them, published while the package is loaded.
void PublishFormReportOptions();
void WithdrawFormReportOptions();

}  // namespace Cli_exp03600
