// bookbench: opens a book file, times opening and saving it, then runs every
// registered step on it; or writes a generated book.
//
//   bookbench BOOK [--out DIR] [--only PREFIX]
//   bookbench --generate LINES ACCOUNTS OUT
//
// --only runs the steps whose names start with PREFIX alone, so that the
// peak memory printed belongs to them (one step per run, e.g. "56-wide-2").
#include "bench/bookbench.h"

#include "bench/generator/book_generator.h"
#include "book/book_file.h"
#include "platform/services.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {

// The messages the operations show the user, printed as they come: a
// failure told only in a message box is seen. The answer is the box's first
// button, as with no one there.
class PrintedMessages : public MessageBox {
  public:
    std::string last;

  protected:
    MessageAnswer present(const std::string& text, const std::string&, MessageButtons buttons,
                          MessageIcon) override {
        last = text;
        std::cout << "  message: " << text << "\n";
        return buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel
                   ? MessageAnswer::Ok
                   : MessageAnswer::Yes;
    }
};

PrintedMessages& printedMessages() {
    static PrintedMessages box;
    return box;
}

std::vector<BenchStep>& steps() {
    static std::vector<BenchStep> all;
    return all;
}

void usage() {
    std::cerr << "usage: bookbench BOOK [--out DIR] [--only PREFIX]\n"
                 "       bookbench --generate LINES ACCOUNTS OUT\n";
}

int accountCount(const Book& book) {
    int n = 0;
    for (std::size_t i = 0; i < book.accountSlots(); ++i)
        if (!book.slotIsEmpty(static_cast<int>(i))) ++n;
    return n;
}

std::string readStatusText(const BookReadResult& r) {
    switch (r.status) {
    case BookReadStatus::Ok:
        return "ok";
    case BookReadStatus::FileError:
        return r.error.message();
    default:
        return r.message;
    }
}

int generate(const std::vector<std::string>& args) {
    if (args.size() != 4) {
        usage();
        return 2;
    }
    const std::int64_t lines = std::atoll(args[1].c_str());
    const int accounts = std::atoi(args[2].c_str());
    if (lines < 2 || accounts < 2) {
        std::cerr << "bookbench: LINES and ACCOUNTS must be at least 2\n";
        return 2;
    }
    Book book;
    timeIt("generate", [&] { book = generateBook(lines, accounts); });
    BookWriteResult written;
    timeIt("save (.acc)", [&] { written = writeBookFile(args[3], book, nullptr); });
    if (!written.ok()) {
        std::cerr << "bookbench: " << args[3] << ": "
                  << (written.message.empty() ? written.error.message() : written.message) << "\n";
        return 1;
    }
    std::cout << "wrote " << args[3] << ": " << book.EntryLines.size() << " journal lines, "
              << accountCount(book) << " accounts\n";
    return 0;
}

int bench(const std::filesystem::path& source, const std::optional<std::filesystem::path>& out,
          const std::string& only) {
    BenchContext ctx;
    ctx.source = source;
    ctx.keepOutput = out.has_value();
    std::error_code ec;
    if (out) {
        ctx.outDir = *out;
        std::filesystem::create_directories(ctx.outDir, ec);
    } else {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "bookbench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::perror("bookbench: temporary folder");
            return 1;
        }
        ctx.outDir = pattern;
    }

    BookReadResult read;
    timeIt("open", [&] {
        read = readBookFile(
            source, [] { return std::optional<std::string>(); }, &ctx.run);
    });
    if (!read.ok()) {
        std::cerr << "bookbench: " << source.string() << ": " << readStatusText(read) << "\n";
        if (!ctx.keepOutput) std::filesystem::remove_all(ctx.outDir, ec);
        return 1;
    }
    ctx.book = std::move(read.book);
    const Book& book = ctx.book;

    Currency debits, credits;
    bool overflow = false;
    for (const EntryLine& line : book.EntryLines) {
        Currency& total = line.Side == Debit ? debits : credits;
        if (line.Side != Debit && line.Side != Credit) continue;
        auto sum = checkedAdd(total, line.Amount);
        if (!sum)
            overflow = true;
        else
            total = *sum;
    }
    std::cout << "journal lines: " << book.EntryLines.size() << "\n";
    std::cout << "accounts: " << accountCount(book) << "\n";
    if (overflow) {
        std::cout << "debit and credit totals: out of range\n";
    } else {
        std::cout << "debit total: " << debits.toPlainString() << "\n";
        std::cout << "credit total: " << credits.toPlainString() << "\n";
    }

    BookWriteResult written;
    const auto saved = ctx.outDir / "saved.acc";
    timeIt("save (.acc)", [&] { written = writeBookFile(saved, book, &ctx.run); });
    reportWrite(written);
    const auto lines = static_cast<std::int64_t>(book.EntryLines.size());
    printPeakMemory("after open and save", lines);

    std::vector<BenchStep> ordered;
    for (const BenchStep& step : steps())
        if (step.name.starts_with(only)) ordered.push_back(step);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const BenchStep& a, const BenchStep& b) { return a.name < b.name; });
    for (const BenchStep& step : ordered) {
        printedMessages().last.clear();
        step.run(ctx);
    }
    if (!ordered.empty()) printPeakMemory("at the end", lines);

    if (ctx.keepOutput)
        std::cout << "output kept in " << ctx.outDir.string() << "\n";
    else
        std::filesystem::remove_all(ctx.outDir, ec);
    return 0;
}

} // namespace

void printPeakMemory(const std::string& when, std::int64_t journalLines) {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const double bytes = static_cast<double>(usage.ru_maxrss) * 1024.0; // kilobytes on Linux
    std::printf("peak resident memory %s: %.1f MB", when.c_str(), bytes / (1024.0 * 1024.0));
    if (journalLines > 0) std::printf(" (%.0f bytes per journal line)", bytes / journalLines);
    std::printf("\n");
    std::fflush(stdout);
}

bool reportStep(bool ok, const std::string& reason) {
    if (ok) return true;
    const std::string why = reason.empty() ? lastMessageShown() : reason;
    std::cout << "  failed: " << (why.empty() ? "no reason was given" : why) << "\n";
    return false;
}

bool reportWrite(const BookWriteResult& result) {
    return reportStep(result.ok(),
                      result.message.empty() ? result.error.message() : result.message);
}

bool reportLedger(bool refused, const std::string& message) {
    if (!reportStep(!refused, message)) return false;
    if (!message.empty()) std::cout << "  " << message << "\n";
    return true;
}

std::string lastMessageShown() {
    return printedMessages().last;
}

int registerBenchStep(BenchStep step) {
    steps().push_back(std::move(step));
    return static_cast<int>(steps().size());
}

double timeIt(const std::string& label, const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s: %.3f s\n", label.c_str(), seconds);
    std::fflush(stdout);
    return seconds;
}

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    Services printing = services();
    printing.messages = &printedMessages();
    installServices(printing);
    if (!args.empty() && args[0] == "--generate") return generate(args);

    std::optional<std::filesystem::path> out;
    std::optional<std::filesystem::path> source;
    std::string only;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--out" && i + 1 < args.size()) {
            out = std::filesystem::absolute(args[++i]);
        } else if (args[i] == "--only" && i + 1 < args.size()) {
            only = args[++i];
        } else if (!args[i].empty() && args[i][0] != '-' && !source) {
            source = std::filesystem::absolute(args[i]);
        } else {
            usage();
            return 2;
        }
    }
    if (!source) {
        usage();
        return 2;
    }
    return bench(*source, out, only);
}
