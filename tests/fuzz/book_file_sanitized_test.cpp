// The book-file reader, built with AddressSanitizer and
// UndefinedBehaviorSanitizer, on every truncation and thousands of bit flips
// of small books: no fault, and either a whole book or a refusal that hands
// back nothing half-read.
#include "book/book_file.h"
#include "seed_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace {

const PasswordPrompt prompt = [] { return std::optional<std::string>("secret"); };

std::vector<std::pair<std::string, std::string>> seedBooks() {
    return seedFiles("", ".acc");
}

// A whole book read must write and read back to the same bytes; a refusal
// must say why and hand back no journal.
void checkStaged(const std::string& bytes, const std::string& what) {
    BookReadResult r = parseBookFile(bytes, prompt, nullptr);
    if (!r.ok()) {
        ASSERT_TRUE(r.book.EntryLines.empty()) << what;
        ASSERT_TRUE(r.status == BookReadStatus::FileError || !r.message.empty()) << what;
        return;
    }
    auto written = serializeBookFile(r.book, nullptr, nullptr);
    if (!written) return; // a text that grew past the limit in UTF-8 refuses the save
    BookReadResult again = parseBookFile(*written, prompt, nullptr);
    ASSERT_TRUE(again.ok()) << what << ": " << again.message;
    ASSERT_EQ(serializeBookFile(again.book, nullptr, nullptr), written) << what;
}

class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "lw-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data())) path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

} // namespace

TEST(BookFileUnderSanitizers, TheSeedBooksOpen) {
    auto books = seedBooks();
    ASSERT_GE(books.size(), 5u);
    for (const auto& [name, bytes] : books) {
        BookReadResult r = parseBookFile(bytes, prompt, nullptr);
        EXPECT_TRUE(r.ok()) << name << ": " << r.message;
        checkStaged(bytes, name);
    }
}

TEST(BookFileUnderSanitizers, EveryTruncationIsRefused) {
    for (const auto& [name, bytes] : seedBooks()) {
        for (std::size_t n = 0; n < bytes.size(); ++n) {
            BookReadResult r = parseBookFile(std::string_view(bytes).substr(0, n), prompt, nullptr);
            ASSERT_EQ(r.status, BookReadStatus::Damaged) << name << " cut at " << n;
            ASSERT_TRUE(r.book.EntryLines.empty());
        }
    }
}

TEST(BookFileUnderSanitizers, TruncatedFilesOnDiskAreRefused) {
    ScratchFolder dir;
    ASSERT_FALSE(dir.path().empty());
    for (const auto& [name, bytes] : seedBooks()) {
        for (std::size_t n = 0; n < bytes.size(); n += 37) {
            const auto path = dir.path() / name;
            std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes.substr(0, n);
            BookReadResult r = readBookFile(path, prompt, nullptr);
            ASSERT_EQ(r.status, BookReadStatus::Damaged) << name << " cut at " << n;
        }
    }
}

TEST(BookFileUnderSanitizers, BitFlipsGiveAWholeBookOrARefusal) {
    std::mt19937 rng(7);
    for (const auto& [name, bytes] : seedBooks()) {
        for (int i = 0; i < 1000; ++i)
            checkStaged(withBitsFlipped(bytes, rng), name + " flip " + std::to_string(i));
    }
}

TEST(BookFileUnderSanitizers, HostileLengthsInEveryPlace) {
    // Every 16- and 32-bit field set to its extremes in turn.
    for (const auto& [name, bytes] : seedBooks()) {
        if (bytes.size() > 4000) continue;
        for (std::size_t at = 0; at + 4 <= bytes.size(); ++at) {
            for (std::uint32_t value : {0xFFFFFFFFu, 0x7FFFFFFFu, 0x0000FFFFu}) {
                std::string changed = bytes;
                std::memcpy(&changed[at], &value, 4);
                checkStaged(changed, name + " at " + std::to_string(at));
            }
        }
    }
}
