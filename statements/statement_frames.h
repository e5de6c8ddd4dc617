// The frame the trial balance, income statement and balance sheet outputs
// share: the RTF header and title block, the web page's title block and rows,
// and the spreadsheet's set-up. Texts put into them are escaped here.
#pragma once

#include "book/book.h"
#include "book/excel_file.h"
#include "book/report_sheet.h"
#include "statements/report_markup.h"

#include <filesystem>
#include <string>
#include <vector>

namespace frame {

inline const std::string CrLf = "\r\n";

// The RTF up to and including the title block's business name line:
// the header, then "{\*\generator <tag>;}...\fs28 <business name>\par".
std::string rtfOpening(const std::string& generatorTag, const std::string& businessName);

// The fixed-width table of a statement's RTF, in the fixed-pitch font. Rows
// are kept until the table is written, so that each amount column is as wide
// as its widest figure needs (never narrower than 12 characters) and the
// figures of a column end in one place on every row.
class RtfTable {
  public:
    // Amount columns by where each starts in the layout, 12 characters wide.
    explicit RtfTable(std::vector<int> starts);
    // RTF that stands between rows as it is (headings, empty lines).
    void markup(const std::string& rtf);
    // A row: `label` before column `first`, then `amounts` from that column
    // on, and "\par". A bold row stands between "\b " and "\b0"; `after`
    // comes before its "\par".
    void row(const std::string& label, std::size_t first, const std::vector<std::string>& amounts);
    void boldRow(const std::string& label, std::size_t first,
                 const std::vector<std::string>& amounts, const std::string& after = "");
    // Whether a figure made any column wider than the layout.
    bool widened() const { return columns_.widened(); }
    // A row's text laid out in the table's columns, RTF-escaped; a label too
    // long for its room goes on, whole, in lines below within it.
    std::string cells(const std::string& label, std::size_t first,
                      const std::vector<std::string>& amounts) const;
    // The table's markup and rows, in the order given.
    std::string rtf() const;

  private:
    struct Line {
        std::string markup; // a line of markup alone when there is no row
        bool isRow = false;
        bool bold = false;
        std::string label;
        std::size_t first = 0;
        std::vector<std::string> amounts;
        std::string after;
    };
    void add(Line line);

    FigureColumns columns_;
    std::vector<Line> lines_;
};

// "<b>x</b>" and "<b><br>x</b>" around already escaped text.
std::string bold(const std::string& html);
std::string boldBreak(const std::string& html);

// "<html><body><br><br><p align="<align>" Style=...><b>" + business name +
// the rest of the title block + "</b></p>" + the table's opening tag.
// `titleHtml` is escaped already.
std::string webOpening(const std::string& align, const std::string& businessName,
                       const std::string& titleHtml);
inline const std::string WebClosing = "</table></body></html>";
// A row of a label cell and three right-aligned cells of 10% (escaped texts).
std::string webRow(const std::string& label, const std::string& cell1 = "",
                   const std::string& cell2 = "", const std::string& cell3 = "");

// A spreadsheet cell: font byte, alignment and attribute byte.
struct CellKind {
    int font = 0;
    int align = ExcelFile::AlignLeft;
    int attribute = 0;
};
inline constexpr CellKind TopBand{ExcelFile::Font1, 0, ExcelFile::CellLocked};
inline constexpr CellKind BoldLeft{ExcelFile::Font1, ExcelFile::AlignLeft, 0};
inline constexpr CellKind BoldRight{ExcelFile::Font1, ExcelFile::AlignRight, 0};
inline constexpr CellKind PlainLeft{0, ExcelFile::AlignLeft, 0};
inline constexpr CellKind PlainRight{0, ExcelFile::AlignRight, 0};

// A sheet being written: rows numbered from 1 in the order written.
class Sheet {
  public:
    // Starts a report sheet (book/report_sheet.h) in the book's font, the
    // column widths in pixels and the business name as page header and footer.
    Sheet(const std::filesystem::path& path, const Book& book, const std::vector<int>& widthsPx,
          double twipsPerPixel);
    void cell(int column, const CellKind& kind, const std::string& text = "");
    // Starts the next row.
    void nextRow() { ++row_; }
    int row() const { return row_; }
    // Puts the file in place. Rows past the format's last row are left out
    // and `notice` says how many the statement had, and how many texts were
    // cut to fit their cells.
    ExportResult close();

  private:
    ReportSheet sheet_;
    std::filesystem::path path_;
    int row_ = 1;
};

// Rows of the statements' sheets; each moves on to the next row.
// `text` in column 1 of kind `first`, then empty cells of kind `rest` up to
// `lastColumn`.
void textRow(Sheet& sheet, const CellKind& first, const CellKind& rest,
             const std::string& text = "", int lastColumn = 4);
// A name and its amount in column 2; columns 3 and 4 empty.
void itemRow(Sheet& sheet, const std::string& name, const std::string& amount);
// A bold label and its amount in column 3; column 2 of kind `second`.
void totalRow(Sheet& sheet, const std::string& label, const std::string& amount,
              const CellKind& second = BoldLeft);
// A bold label and its amount in column 4.
void summaryRow(Sheet& sheet, const std::string& label, const std::string& amount);

} // namespace frame
