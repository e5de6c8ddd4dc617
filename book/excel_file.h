// ExcelFile: writes a one-sheet spreadsheet in the BIFF2 record format
// (Excel 2.1 worksheet), record by record as its operations are called.
//
// Every export makes its calls in this order: CreateFile, PrintGridLines,
// SetMargin (top, left, right, bottom), SetFont for fonts 0 to 3,
// SetColumnWidth for each column, SetHeader, SetFooter, then WriteValue cell
// by cell a row at a time, and last CloseFile. Rows and columns count from 1.
//
// The file is written beside the target and only CloseFile puts it in place,
// so a failed or abandoned export leaves no partial file and the old file
// untouched. Texts are UTF-8 and are written in Windows-1252 ("?" for what it
// lacks), NUL characters dropped, cut to 255 characters (and counted).
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <variant>

class SafeFileWriter;

class ExcelFile {
  public:
    // WriteValue's ValueType.
    static constexpr int IntegerValue = 0;
    static constexpr int NumberValue = 1;
    static constexpr int TextValue = 2;

    // SetMargin's record numbers.
    static constexpr int LeftMargin = 38;
    static constexpr int RightMargin = 39;
    static constexpr int TopMargin = 40;
    static constexpr int BottomMargin = 41;

    // CellFontUsed: font 0 to 3 in bits 6 and 7.
    static constexpr int Font0 = 0x00, Font1 = 0x40, Font2 = 0x80, Font3 = 0xC0;
    // Alignment byte.
    static constexpr int AlignLeft = 1, AlignCentre = 2, AlignRight = 3;
    static constexpr int LeftBorder = 0x08, RightBorder = 0x10, TopBorder = 0x20,
                         BottomBorder = 0x40, Shaded = 0x80;
    // HiddenLocked byte.
    static constexpr int CellLocked = 0x40, CellHidden = 0x80;
    // FONT attribute bits.
    static constexpr int Bold = 1, Italic = 2, Underlined = 4, StruckOut = 8;

    // Readers of this format read no more than 16,384 rows.
    static constexpr std::int32_t MaxRows = 16384;
    static constexpr std::int32_t MaxColumns = 256;
    static constexpr std::size_t MaxTextBytes = 255;
    static constexpr int MaxColumnWidth = 127; // characters
    static constexpr int MaxFontHeight = 1638; // points

    using Value = std::variant<double, std::string>;

    ExcelFile();
    // An instance destroyed without CloseFile discards what it wrote.
    ~ExcelFile();
    ExcelFile(const ExcelFile&) = delete;
    ExcelFile& operator=(const ExcelFile&) = delete;

    // Starts the file: BOF (worksheet) and CODEPAGE 1252. Once per instance.
    std::error_code CreateFile(const std::filesystem::path& fileName);
    // Writes EOF and puts the file in place of the target. Once per instance.
    std::error_code CloseFile();

    // One INTEGER (type 0), NUMBER (type 1) or LABEL (type 2) cell; any other
    // type writes nothing. Each attribute is stored as one byte.
    std::error_code WriteValue(int valueType, int cellFontUsed, int alignment, int hiddenLocked,
                               std::int32_t lrow, std::int32_t lcol, const Value& value);
    std::error_code SetMargin(int margin, double inches);
    // Columns 1-based; width in characters, 0 to 127.
    std::error_code SetColumnWidth(int firstColumn, int lastColumn, int widthValue);
    // Height in points, 0 to 1638; fontFormat's low byte holds the attribute bits.
    std::error_code SetFont(const std::string& fontName, int fontHeight, int fontFormat);
    // "&" is a code in page headers and footers: it is written doubled.
    std::error_code SetHeader(const std::string& headerText);
    std::error_code SetFooter(const std::string& footerText);
    std::error_code PrintGridLines(bool print);
    std::error_code ProtectSpreadsheet(bool protect);

    // The text bytes a LABEL or FONT record gets for a UTF-8 text; `cut`,
    // when given, tells whether the text was longer than the cell holds.
    static std::string cellText(const std::string& utf8, bool* cut = nullptr);
    // How many texts of cells, headers and footers were cut to MaxTextBytes
    // characters so far.
    int textsCut() const { return textsCut_; }
    // The text bytes a HEADER or FOOTER record gets; `cut` as for cellText.
    static std::string pageText(const std::string& utf8, bool* cut = nullptr);

  private:
    enum class State { Fresh, Open, Closed, Failed };
    std::error_code ready() const;
    std::error_code record(std::uint16_t number, const std::string& body);
    // A HEADER or FOOTER record holding `text`.
    std::error_code pageRecord(std::uint16_t number, const std::string& text);
    std::error_code flush();
    std::error_code fail(std::error_code ec);

    State state_ = State::Fresh;
    std::unique_ptr<SafeFileWriter> writer_;
    std::string buffer_;
    int textsCut_ = 0;
};
