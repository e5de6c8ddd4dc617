// libFuzzer target: any bytes inserted as a CSV book into a small open book.
#include "form_checks.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!form_checks::checkInsert(bytes, InsertSource::CsvFile).empty()) std::abort();
    return 0;
}
