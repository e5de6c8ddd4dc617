#include "statements/report_markup.h"

#include "book/report_sheet.h"
#include "book/rtf_text.h"
#include "book/safe_file.h"
#include "book/tmain.h"

namespace markup {

std::string rtfEscaped(const std::string& utf8) {
    return ::rtfEscaped(utf8, RtfCharacters::Unicode);
}

int spreadsheetColumnWidth(int pixels, double twipsPerPixel) {
    return sheetColumnCharacters(pixels * twipsPerPixel);
}

} // namespace markup

ExportResult exportResultOf(const std::filesystem::path& path, std::error_code error) {
    ExportResult result;
    if (error) {
        result.message = Tmain::WriteFailureText(path, error);
        return result;
    }
    result.ok = true;
    return result;
}

ExportResult writeExportText(const std::filesystem::path& path, const std::string& bytes) {
    return exportResultOf(path, writeFileSafely(path, bytes));
}

ExportResult writeExportStream(const std::filesystem::path& path,
                               const std::function<void(ByteWriter&)>& write) {
    return exportResultOf(path, writeFileSafely(path, write));
}
