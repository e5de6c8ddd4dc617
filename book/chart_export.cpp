#include "book/chart_export.h"

#include "book/safe_file.h"
#include "book/tmain.h"
#include "platform/services.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <limits>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t FlushAt = 1 << 16;
constexpr std::size_t MaxTextBytes = 0xFFFF;
constexpr int ChartCopies = 6;
constexpr std::int16_t VariantEmpty = 0;
constexpr std::int16_t VariantString = 8;

// Little-endian output through a safe writer, buffered. A text too long for
// its 16-bit length stops the output with `refusal` naming it.
class BinaryOut {
  public:
    explicit BinaryOut(const std::filesystem::path& target) : path_(target), file_(target) {}

    void u8(unsigned v) { buffer_ += static_cast<char>(v & 0xFF); }
    void u16(unsigned v) {
        u8(v);
        u8(v >> 8);
    }
    void u32(std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void u64(std::uint64_t v) {
        u32(static_cast<std::uint32_t>(v));
        u32(static_cast<std::uint32_t>(v >> 32));
    }
    void currency(Currency c) { u64(static_cast<std::uint64_t>(c.raw)); }
    void bytes(const std::string& b) { buffer_ += b; }
    void zeros(std::size_t n) { buffer_.append(n, '\0'); }
    void text(const std::string& t, const std::string& what) {
        if (t.size() > MaxTextBytes) {
            if (refusal.empty()) refusal = what + " is too long for the export file.";
            u16(0);
            return;
        }
        u16(static_cast<unsigned>(t.size()));
        bytes(t);
    }
    void variant(const VariantText& v, const std::string& what) {
        if (v.isEmpty()) {
            u16(VariantEmpty);
            return;
        }
        u16(VariantString);
        text(v.str(), what);
    }

    // Position of the next byte, counted from 0.
    std::uint64_t position() const { return file_.position() + buffer_.size(); }
    void skipTo(std::uint64_t offset) {
        flush();
        if (offset > file_.position()) file_.skip(offset - file_.position());
    }
    void maybeFlush() {
        if (buffer_.size() >= FlushAt) flush();
    }
    void flush() {
        file_.write(buffer_);
        buffer_.clear();
    }
    bool ok() const { return file_.ok() && refusal.empty(); }
    std::error_code error() const { return file_.error(); }
    bool commit() {
        flush();
        return refusal.empty() && file_.commit();
    }

    std::string refusal;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
    SafeFileWriter file_;
    std::string buffer_;
};

std::int32_t dayNumber(double date) {
    if (!std::isfinite(date)) return 0;
    double day = std::nearbyint(date); // halves to the even one
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::clamp(day, lo, hi));
}

std::string slotName(const char* what, std::size_t slot) {
    return std::string(what) + " of account slot " + std::to_string(slot);
}

void writeChart(BinaryOut& out, const Book& book) {
    // The first 154 account numbers, the rest 0; the same list in all six copies.
    std::vector<Currency> copies(ChartCopyNumbers);
    const std::size_t slots = book.accountSlots();
    const std::size_t copied =
        std::min<std::size_t>({slots, static_cast<std::size_t>(ChartCopyNumbers),
                               static_cast<std::size_t>(std::max<int>(book.LastAccount, -1) + 1)});
    for (std::size_t i = 0; i < copied; ++i)
        copies[i] = book.AccountNumbers[i];

    out.zeros(1);
    out.u16(static_cast<std::uint16_t>(book.AutoIncrement));
    out.u32(static_cast<std::uint32_t>(book.GroupCount));
    out.u16(static_cast<std::uint16_t>(book.SubAccountDash));
    out.u16(VariantEmpty);
    out.u16(VariantEmpty);
    out.u16(ChartCopies - 1);
    for (int c = 0; c < ChartCopies; ++c) {
        out.u16(0);
        out.u16(0);
        out.zeros(12);
        out.u16(0);
        out.zeros(5);
        out.u16(1);                // dimensions
        out.u32(ChartCopyNumbers); // elements
        out.u32(0);                // lower bound
        for (Currency n : copies)
            out.currency(n);
    }
    out.variant(book.BusinessName, "The business name");
    out.variant(book.BusinessAddress, "The business address");

    out.skipTo(ChartTableOffset);
    out.u16(static_cast<std::uint16_t>(book.LastAccount));
    for (std::size_t i = 0; i < slots; ++i)
        out.currency(book.AccountNumbers[i]);
    for (std::size_t i = 0; i < slots; ++i)
        out.text(book.AccountNames[i], slotName("The name", i));
    for (std::size_t i = 0; i < slots; ++i)
        out.u8(book.AccountTypes[i]);
    for (std::size_t i = 0; i < slots; ++i)
        out.text(book.AccountNote[i], slotName("The note", i));
    for (std::size_t i = 0; i < slots; ++i)
        out.text(book.AccountNote2[i], slotName("The second note", i));
}

void writeJournal(BinaryOut& out, Book& book, RunTimeState& run) {
    const std::size_t lines = std::min(book.EntryLines.size(), book.EntryIds.size());
    run.ProgressStride = progressStrideFor(static_cast<std::int32_t>(lines) - 1);
    for (std::size_t i = 0; i < lines; ++i) {
        std::uint64_t position = out.position() + 1;
        if (position > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
            if (out.refusal.empty()) out.refusal = "The journal is too large for the export file.";
            return;
        }
        EntryLine& line = book.EntryLines[i];
        if (line.Reconciled > 1) line.Reconciled = 0;
        out.u32(static_cast<std::uint32_t>(position));
        out.bytes(book.EntryIds[i].raw());
        out.u8(line.Reconciled);
        out.u32(0);
        out.u32(static_cast<std::uint32_t>(dayNumber(line.Date)));
        out.u8(line.Side);
        out.currency(line.AccountNumber);
        out.currency(line.Amount);
        out.text(line.Details, "The note of journal line " + std::to_string(i + 1));
        out.maybeFlush();
        if (!out.ok()) return;
        if (i % static_cast<std::size_t>(run.ProgressStride) == 0) Tmain::StepProgress(run);
    }
}

void writeGroup(BinaryOut& out, const Book& book, int g) {
    const auto& lines = book.EntryGroups[g];
    out.u8(0);
    out.u16(0);
    out.bytes(book.GroupNames[g].raw());
    out.u32(static_cast<std::uint32_t>(lines.size() - 1));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const EntryLine& line = lines[i];
        out.u8(line.Reconciled);
        out.zeros(4);
        out.u8(line.Side);
        out.currency(line.AccountNumber);
        out.currency(line.Amount);
        out.text(line.Details, "The note of line " + std::to_string(i + 1) + " of group " +
                                   std::to_string(g + 1));
    }
}

bool groupHasFile(const Book& book, int g) {
    return book.EntryGroups[g].size() >= 3;
}

// Nothing of the export replaced anything. The file is named, with what is
// wrong with it.
ChartExportResult failed(BinaryOut& out) {
    ChartExportResult r;
    r.refusal = out.refusal;
    if (r.refusal.empty()) r.error = out.error();
    if (!r.error && r.refusal.empty()) r.error = std::make_error_code(std::errc::io_error);
    if (r.error)
        r.notice =
            Tmain::WriteFailureText(out.path(), r.error) + "\nNo file of the export was replaced.";
    return r;
}

// What to tell when files[failedAt] could not replace its older namesake
// after the files before it did: which files hold the new export, which not.
std::string writtenInPart(const std::vector<std::filesystem::path>& files, std::size_t failedAt,
                          const std::error_code& why) {
    std::string text = "The export was written only in part. These files hold the new export:";
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (i == failedAt) text += "\nThese files were not replaced:";
        text += "\n" + files[i].string() + (i < failedAt ? "" : Tmain::UnchangedFileNote(files[i]));
    }
    return text + "\n" + files[failedAt].string() +
           " could not be replaced: " + Tmain::FileErrorText(why);
}

// Removes the older file of a group that has none now: only a name the
// replace question lists (a link goes, not what it leads to); a name that is
// not there is fine. The error tells why the name stays.
std::error_code removeOlderGroup(const std::filesystem::path& path) {
    if (std::error_code refused = refusalToReplace(path)) return refused;
    if (::unlink(path.c_str()) != 0 && errno != ENOENT && errno != ENAMETOOLONG)
        return fileErrorFor(errno, FileUse::Remove);
    return {};
}

ChartExportResult writeAll(Book& book, RunTimeState& run, const ChartExportFiles& names) {
    BinaryOut chart(names.chart);
    writeChart(chart, book);
    chart.flush();
    if (!chart.ok()) return failed(chart);

    BinaryOut journal(names.journal);
    writeJournal(journal, book, run);
    journal.flush();
    if (!journal.ok()) return failed(journal);

    std::vector<std::unique_ptr<BinaryOut>> groups;
    std::vector<BinaryOut*> outs{&chart, &journal};
    std::vector<std::filesystem::path> files{names.chart, names.journal};
    for (int g = 0; g < GroupTotal; ++g) {
        if (!groupHasFile(book, g)) continue;
        groups.push_back(std::make_unique<BinaryOut>(names.groups[g]));
        writeGroup(*groups.back(), book, g);
        groups.back()->flush();
        if (!groups.back()->ok()) return failed(*groups.back());
        outs.push_back(groups.back().get());
        files.push_back(names.groups[g]);
    }

    // Every file is complete: only now do they replace the older ones.
    for (std::size_t i = 0; i < outs.size(); ++i) {
        if (outs[i]->commit()) continue;
        ChartExportResult result = failed(*outs[i]);
        if (i > 0) result.notice = writtenInPart(files, i, result.error);
        return result;
    }

    // An older group file would pass for the group's content: it goes. One
    // that cannot go does not undo the export; the user is told of it.
    ChartExportResult result;
    for (int g = 0; g < GroupTotal; ++g) {
        if (groupHasFile(book, g)) continue;
        if (std::error_code why = removeOlderGroup(names.groups[g])) {
            if (result.notice.empty())
                result.notice = "The export was written. These names of group files are not part "
                                "of it and could not be removed:";
            result.notice += "\n" + Tmain::FileFaultText(names.groups[g], why);
        }
    }
    return result;
}

} // namespace

ChartExportFiles chartExportFiles(const std::filesystem::path& chosenName) {
    const std::string stem = Tmain::StripExtension(chosenName.string());
    ChartExportFiles files;
    files.chart = stem + ".LWK";
    files.journal = stem + ".ENT";
    for (int g = 0; g < GroupTotal; ++g) {
        std::string number = (g + 1 < 10 ? "0" : "") + std::to_string(g + 1);
        files.groups[g] = stem + number + ".Grp";
    }
    return files;
}

ChartExportResult EditionExportFile(Book& book, RunTimeState& run,
                                    const std::filesystem::path& chosenName) {
    ChartExportResult result = writeAll(book, run, chartExportFiles(chosenName));
    if (!result.refusal.empty())
        showMessage(result.refusal);
    else if (!result.notice.empty())
        showMessage(result.notice);
    else if (result.error)
        Tmain::FileErrorMessage(result.error);
    return result;
}
