#include "book/excel_file.h"

#include "book/plain_text.h"
#include "book/safe_file.h"
#include "book/text_encoding.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

constexpr std::uint16_t BofRecord = 0x0009;
constexpr std::uint16_t EofRecord = 0x000A;
constexpr std::uint16_t IntegerRecord = 0x0002;
constexpr std::uint16_t NumberRecord = 0x0003;
constexpr std::uint16_t LabelRecord = 0x0004;
constexpr std::uint16_t ColumnWidthRecord = 0x0024;
constexpr std::uint16_t FontRecord = 0x0031;
constexpr std::uint16_t HeaderRecord = 0x0014;
constexpr std::uint16_t FooterRecord = 0x0015;
constexpr std::uint16_t PrintGridLinesRecord = 0x002B;
constexpr std::uint16_t ProtectRecord = 0x0012;
constexpr std::uint16_t CodePageRecord = 0x0042;

constexpr std::uint16_t BiffVersion = 2;
constexpr std::uint16_t WorksheetType = 0x0010;
constexpr std::uint16_t WindowsLatin1 = 1252;

constexpr std::size_t FlushAt = 1 << 16;

void put8(std::string& out, unsigned v) {
    out += static_cast<char>(v & 0xFF);
}
void put16(std::string& out, unsigned v) {
    put8(out, v);
    put8(out, v >> 8);
}
// A text as the records hold it: a byte of length, then the bytes.
void putText(std::string& out, const std::string& bytes) {
    put8(out, static_cast<unsigned>(bytes.size()));
    out += bytes;
}
void putDouble(std::string& out, double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i)
        put8(out, static_cast<unsigned>(bits >> (8 * i)));
}

// A number written as a text: up to 15 significant digits, "." as the mark.
std::string numberText(double v) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15);
    return std::string(buf, r.ptr);
}

// A text read as a number: the whole text must be one ("." as the mark).
bool textNumber(const std::string& text, double& v) {
    const char* first = text.data();
    const char* last = first + text.size();
    while (first < last && *first == ' ')
        ++first;
    while (last > first && last[-1] == ' ')
        --last;
    if (first < last && *first == '+') ++first;
    auto r = std::from_chars(first, last, v);
    return r.ec == std::errc() && r.ptr == last && first != last;
}

std::error_code badArgument() {
    return std::make_error_code(std::errc::invalid_argument);
}
std::error_code outOfRange() {
    return std::make_error_code(std::errc::result_out_of_range);
}

} // namespace

ExcelFile::ExcelFile() = default;
ExcelFile::~ExcelFile() = default;

std::string ExcelFile::cellText(const std::string& utf8, bool* cut) {
    std::string bytes = encoding::utf8ToWindows1252(withoutNuls(utf8));
    // One byte per character, so the cut falls between characters.
    if (cut) *cut = bytes.size() > MaxTextBytes;
    if (bytes.size() > MaxTextBytes) bytes.resize(MaxTextBytes);
    return bytes;
}

std::string ExcelFile::pageText(const std::string& utf8, bool* cut) {
    std::string bytes = encoding::utf8ToWindows1252(withoutNuls(utf8));
    std::string out;
    if (cut) *cut = false;
    for (char c : bytes) {
        std::size_t need = c == '&' ? 2 : 1;
        if (out.size() + need > MaxTextBytes) {
            if (cut) *cut = true;
            break;
        }
        out += c;
        if (c == '&') out += '&';
    }
    return out;
}

std::error_code ExcelFile::fail(std::error_code ec) {
    state_ = State::Failed;
    writer_.reset(); // removes the temporary file
    buffer_.clear();
    return ec;
}

std::error_code ExcelFile::ready() const {
    switch (state_) {
    case State::Open:
        return {};
    case State::Fresh:
    case State::Closed:
        return std::make_error_code(std::errc::bad_file_descriptor);
    case State::Failed:
        break;
    }
    return std::make_error_code(std::errc::io_error);
}

std::error_code ExcelFile::flush() {
    writer_->write(buffer_);
    buffer_.clear();
    if (!writer_->ok()) return fail(writer_->error());
    return {};
}

std::error_code ExcelFile::record(std::uint16_t number, const std::string& body) {
    if (auto ec = ready()) return ec;
    put16(buffer_, number);
    put16(buffer_, static_cast<unsigned>(body.size()));
    buffer_ += body;
    if (buffer_.size() >= FlushAt) return flush();
    return {};
}

std::error_code ExcelFile::CreateFile(const std::filesystem::path& fileName) {
    if (state_ != State::Fresh) return std::make_error_code(std::errc::operation_not_permitted);
    writer_ = std::make_unique<SafeFileWriter>(fileName);
    if (!writer_->ok()) return fail(writer_->error());
    state_ = State::Open;

    std::string bof;
    put16(bof, BiffVersion);
    put16(bof, WorksheetType);
    if (auto ec = record(BofRecord, bof)) return ec;
    std::string codePage;
    put16(codePage, WindowsLatin1);
    return record(CodePageRecord, codePage);
}

std::error_code ExcelFile::CloseFile() {
    if (auto ec = record(EofRecord, {})) return ec;
    if (auto ec = flush()) return ec;
    if (!writer_->commit()) return fail(writer_->error());
    writer_.reset();
    state_ = State::Closed;
    return {};
}

std::error_code ExcelFile::WriteValue(int valueType, int cellFontUsed, int alignment,
                                      int hiddenLocked, std::int32_t lrow, std::int32_t lcol,
                                      const Value& value) {
    if (auto ec = ready()) return ec;
    if (valueType != IntegerValue && valueType != NumberValue && valueType != TextValue) return {};
    if (lrow < 1 || lrow > MaxRows || lcol < 1 || lcol > MaxColumns) return outOfRange();

    std::string body;
    put16(body, static_cast<unsigned>(lrow - 1));
    put16(body, static_cast<unsigned>(lcol - 1));
    put8(body, static_cast<unsigned>(hiddenLocked));
    put8(body, static_cast<unsigned>(cellFontUsed));
    put8(body, static_cast<unsigned>(alignment));

    if (valueType == TextValue) {
        std::string text = std::holds_alternative<std::string>(value)
                               ? std::get<std::string>(value)
                               : numberText(std::get<double>(value));
        bool cut = false;
        putText(body, cellText(text, &cut));
        textsCut_ += cut ? 1 : 0;
        return record(LabelRecord, body);
    }

    double number = 0;
    if (std::holds_alternative<double>(value))
        number = std::get<double>(value);
    else if (!textNumber(std::get<std::string>(value), number))
        return badArgument();
    if (!std::isfinite(number)) return badArgument();

    if (valueType == NumberValue) {
        putDouble(body, number);
        return record(NumberRecord, body);
    }
    double whole = std::nearbyint(number); // halves to the even one
    if (whole < -32768 || whole > 32767) return outOfRange();
    put16(body, static_cast<unsigned>(static_cast<std::int16_t>(whole)));
    return record(IntegerRecord, body);
}

std::error_code ExcelFile::SetMargin(int margin, double inches) {
    if (auto ec = ready()) return ec;
    if (margin < LeftMargin || margin > BottomMargin || !std::isfinite(inches))
        return badArgument();
    std::string body;
    putDouble(body, inches);
    return record(static_cast<std::uint16_t>(margin), body);
}

std::error_code ExcelFile::SetColumnWidth(int firstColumn, int lastColumn, int widthValue) {
    if (auto ec = ready()) return ec;
    if (firstColumn < 1 || lastColumn > MaxColumns || firstColumn > lastColumn) return outOfRange();
    if (widthValue < 0 || widthValue > MaxColumnWidth) return outOfRange();
    std::string body;
    put8(body, static_cast<unsigned>(firstColumn - 1));
    put8(body, static_cast<unsigned>(lastColumn - 1));
    put16(body, static_cast<unsigned>(widthValue * 256));
    return record(ColumnWidthRecord, body);
}

std::error_code ExcelFile::SetFont(const std::string& fontName, int fontHeight, int fontFormat) {
    if (auto ec = ready()) return ec;
    if (fontHeight < 0 || fontHeight > MaxFontHeight) return outOfRange();
    std::string body;
    put16(body, static_cast<unsigned>(fontHeight * 20));
    put8(body, static_cast<unsigned>(fontFormat));
    put8(body, 0);
    putText(body, cellText(fontName));
    return record(FontRecord, body);
}

std::error_code ExcelFile::pageRecord(std::uint16_t number, const std::string& text) {
    bool cut = false;
    std::string body;
    putText(body, pageText(text, &cut));
    textsCut_ += cut ? 1 : 0;
    return record(number, body);
}

std::error_code ExcelFile::SetHeader(const std::string& headerText) {
    return pageRecord(HeaderRecord, headerText);
}

std::error_code ExcelFile::SetFooter(const std::string& footerText) {
    return pageRecord(FooterRecord, footerText);
}

std::error_code ExcelFile::PrintGridLines(bool print) {
    std::string body;
    put16(body, print ? 1 : 0);
    return record(PrintGridLinesRecord, body);
}

std::error_code ExcelFile::ProtectSpreadsheet(bool protect) {
    std::string body;
    put16(body, protect ? 1 : 0);
    return record(ProtectRecord, body);
}
