// bookbench steps: the journal spreadsheet and the export for another
// edition (.LWK with its .ENT and .Grp files), written into the output folder.
#include "bench/bookbench.h"

#include "book/chart_export.h"
#include "book/journal_spreadsheet.h"
#include "platform/services.h"

#include <iostream>

namespace {

void journalSpreadsheet(BenchContext& ctx) {
    JournalSheetResult result;
    timeIt("journal spreadsheet (.xls)",
           [&] { result = SaveAsExcel(ctx.book, ctx.outDir / "journal.xls", currentLocale()); });
    if (!result.ok())
        std::cout << "  failed: " << result.error.message() << "\n";
    else
        std::cout << "  " << result.linesWritten << " of " << result.journalLines
                  << " journal lines written\n";
}

void editionExport(BenchContext& ctx) {
    ChartExportResult result;
    timeIt("chart export (.LWK, .ENT, .Grp)",
           [&] { result = EditionExportFile(ctx.book, ctx.run, ctx.outDir / "export.LWK"); });
    if (!result.ok())
        std::cout << "  failed: "
                  << (result.refusal.empty() ? result.error.message() : result.refusal) << "\n";
}

} // namespace

LW_BOOKBENCH_STEP("60-export-xls", journalSpreadsheet);
LW_BOOKBENCH_STEP("61-export-lwk", editionExport);
