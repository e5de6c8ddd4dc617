// bookbench steps: the inflows/outflows statement of the wide book (32,000
// revenue and expense accounts over 100 years of months, a million journal
// lines), generated in memory: its computation, its copy as the clipboard
// takes it, its web page export and its mail draft, each timed. Run one step
// alone (bookbench BOOK --only 56-wide-2) to read that step's peak memory.
#include "bench/bookbench.h"

#include "bench/generator/book_generator.h"
#include "book/mail_draft.h"
#include "platform/services.h"
#include "statements/inflows_outflows_outputs.h"

#include <QString>

#include <filesystem>
#include <iostream>
#include <memory>

namespace {

struct WideStatement {
    Book book;
    InflowsOutflows io;
};

// The wide book and its statement (revenue and expenses, monthly), made by
// the first step that needs them.
WideStatement& wide() {
    static std::unique_ptr<WideStatement> made;
    if (made) return *made;
    made = std::make_unique<WideStatement>();
    timeIt("wide book generated (32,000 accounts, 100 years, 1,000,000 lines)",
           [] { made->book = generateWideBook(32000, 100, 1000000); });
    printPeakMemory("after the wide book");
    InflowsOutflowsOptions options;
    options.locale = currentLocale();
    timeIt("wide inflows/outflows computed (revenue and expenses, monthly)",
           [&] { made->io = computeInflowsOutflows(made->book, options); });
    return *made;
}

std::uintmax_t fileSize(const std::filesystem::path& path) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    return ec ? 0 : size;
}

// The statement, or nullptr when it failed: a failed statement has no
// figures and no outputs.
const WideStatement* computedWide() {
    const WideStatement& w = wide();
    return reportStep(w.io.ok, w.io.message) ? &w : nullptr;
}

void compute(BenchContext&) {
    if (const WideStatement* w = computedWide())
        std::cout << "  " << w->io.periods() << " periods, "
                  << w->io.inflows.size() + w->io.outflows.size() << " rows, " << w->io.cells.size()
                  << " cells\n";
    printPeakMemory("after the wide statement");
}

void copy(BenchContext&) {
    const WideStatement* w = computedWide();
    if (!w) return;
    std::size_t bytes = 0;
    std::string refusal;
    bool copied = false;
    timeIt("wide inflows/outflows copied (the text and the clipboard's UTF-16 form)", [&] {
        const std::optional<std::string> text = inflowsOutflowsCopyText(w->io, w->book, 0, refusal);
        if (!text) return;
        bytes = text->size();
        const QString clipboard = QString::fromUtf8(text->data(), static_cast<qsizetype>(bytes));
        if (clipboard.isEmpty() && bytes > 0)
            refusal = "the clipboard's form of the text is empty";
        else
            copied = true;
    });
    if (!reportStep(copied, refusal)) return;
    std::cout << "  " << bytes << " bytes of text\n";
    printPeakMemory("after the wide copy");
}

void webPage(BenchContext& ctx) {
    const WideStatement* w = computedWide();
    if (!w) return;
    const std::filesystem::path path = ctx.outDir / "wide_io.htm";
    ExportResult result;
    timeIt("wide inflows/outflows exported as a web page",
           [&] { result = exportInflowsOutflows(w->io, w->book, path, "htm", 1200); });
    if (!reportStep(result.ok, result.message)) return;
    std::cout << "  " << fileSize(path) << " bytes written\n";
    std::filesystem::remove(path);
    printPeakMemory("after the wide web page");
}

// The draft as Send writes it, into the output folder rather than the
// private one, and not opened.
void mail(BenchContext& ctx) {
    const WideStatement* w = computedWide();
    if (!w) return;
    const std::filesystem::path path = ctx.outDir / "wide_io.eml";
    ExportResult result;
    timeIt("wide inflows/outflows mail draft written", [&] {
        result = writeExportStream(path, [&](ByteWriter& out) {
            Tmain::writeMailDraft(
                out,
                [&](ByteWriter& page) { writeInflowsOutflowsWebPage(page, w->io, w->book, 1200); },
                inflowsOutflowsMailSubject(w->io, w->book), "bookbench");
        });
    });
    if (!reportStep(result.ok, result.message)) return;
    std::cout << "  " << fileSize(path) << " bytes written\n";
    std::filesystem::remove(path);
    printPeakMemory("after the wide mail draft");
}

} // namespace

LW_BOOKBENCH_STEP("56-wide-1-compute", compute);
LW_BOOKBENCH_STEP("56-wide-2-copy", copy);
LW_BOOKBENCH_STEP("56-wide-3-web-page", webPage);
LW_BOOKBENCH_STEP("56-wide-4-mail", mail);
