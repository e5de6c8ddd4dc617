// libFuzzer target: any bytes given to the book-file reader either give a
// whole book, which writes and reads back to the same bytes, or a refusal.
#include "book/book_file.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto prompt = [] { return std::optional<std::string>("secret"); };
    BookReadResult first = parseBookFile(bytes, prompt, nullptr);
    if (!first.ok()) {
        if (!first.book.EntryLines.empty()) std::abort(); // nothing half-read is handed back
        return 0;
    }
    std::string refusal;
    auto written = serializeBookFile(first.book, nullptr, &refusal);
    if (!written) return 0; // a text that grew past the limit in UTF-8: refused, not written
    BookReadResult second = parseBookFile(*written, prompt, nullptr);
    if (!second.ok()) std::abort();
    auto again = serializeBookFile(second.book, nullptr, nullptr);
    if (!again || *again != *written) std::abort();
    return 0;
}
