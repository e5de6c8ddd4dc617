#include "book/book_file_identity.h"

#include "book/safe_file.h"

#include <mutex>

namespace fs = std::filesystem;

namespace {
std::mutex bookFileLock;
struct OpenBookFile {
    fs::path path;
    std::function<void()> writtenOver;
};
OpenBookFile& bookFile() {
    static OpenBookFile file;
    return file;
}
} // namespace

bool sameFile(const fs::path& a, const fs::path& b) {
    if (a.empty() || b.empty()) return false;
    std::error_code unknown, unknownA, unknownB;
    if (fs::equivalent(a, b, unknown)) return true;
    const fs::path whereA = fs::weakly_canonical(linkTarget(a), unknownA);
    const fs::path whereB = fs::weakly_canonical(linkTarget(b), unknownB);
    return !unknownA && !unknownB && whereA == whereB;
}

void setOpenBookFile(const fs::path& path, std::function<void()> writtenOver) {
    const std::lock_guard<std::mutex> hold(bookFileLock);
    bookFile() = {path, std::move(writtenOver)};
}

fs::path openBookFile() {
    const std::lock_guard<std::mutex> hold(bookFileLock);
    return bookFile().path;
}

void fileWrittenInPlace(const fs::path& written) {
    OpenBookFile book;
    {
        const std::lock_guard<std::mutex> hold(bookFileLock);
        book = bookFile(); // told unlocked: the keeper sets its file again
    }
    if (book.writtenOver && sameFile(written, book.path)) book.writtenOver();
}

fs::path openBookFileBehind(const fs::path& target) {
    const fs::path book = openBookFile();
    std::error_code unknown;
    if (book.empty() || fs::absolute(target, unknown).lexically_normal() == book.lexically_normal())
        return {};
    return sameFile(target, book) ? book : fs::path();
}
