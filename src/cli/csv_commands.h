// export-csv and import-csv: a data file's channel tables to a CSV file and back.
#pragma once

#include "cli/cli_common.h"

namespace kr4100 {

int RunExportCsv(const CliContext& context);
// Every bad row is printed and nothing is written when there is one.
int RunImportCsv(const CliContext& context);

}  // namespace kr4100
