#include "book/excel_file.h"

#include "book/safe_file.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

struct Record {
    unsigned number;
    std::string body;
};

// Splits a file into its records; fails the test when a length runs past the end.
std::vector<Record> records(const std::string& bytes) {
    std::vector<Record> out;
    std::size_t pos = 0;
    auto u16 = [&](std::size_t at) {
        return unsigned(static_cast<unsigned char>(bytes[at])) |
               unsigned(static_cast<unsigned char>(bytes[at + 1])) << 8;
    };
    while (pos < bytes.size()) {
        EXPECT_LE(pos + 4, bytes.size()) << "record header cut off";
        if (pos + 4 > bytes.size()) break;
        unsigned number = u16(pos), length = u16(pos + 2);
        EXPECT_LE(pos + 4 + length, bytes.size()) << "record body cut off";
        out.push_back({number, bytes.substr(pos + 4, length)});
        pos += 4 + length;
    }
    return out;
}

std::string hex(const std::string& bytes) {
    static const char* d = "0123456789ABCDEF";
    std::string s;
    for (unsigned char c : bytes) {
        if (!s.empty()) s += ' ';
        s += d[c >> 4];
        s += d[c & 15];
    }
    return s;
}

const std::string BofAndCodePage("\x09\x00\x04\x00\x02\x00\x10\x00"
                                 "\x42\x00\x02\x00\xE4\x04",
                                 14);
const std::string Eof("\x0A\x00\x00\x00", 4);

// Bytes one operation adds between the file's start records and EOF.
template <typename F> std::string bytesOf(F operation) {
    TempDir dir;
    ExcelFile file;
    EXPECT_FALSE(file.CreateFile(dir / "a.xls"));
    EXPECT_FALSE(operation(file));
    EXPECT_FALSE(file.CloseFile());
    std::string all = readFile(dir / "a.xls");
    EXPECT_EQ(all.substr(0, BofAndCodePage.size()), BofAndCodePage);
    EXPECT_EQ(all.substr(all.size() - 4), Eof);
    return all.substr(BofAndCodePage.size(), all.size() - BofAndCodePage.size() - 4);
}

} // namespace

TEST(ExcelFile, RecordsAreByteExact) {
    EXPECT_EQ(hex(bytesOf([](ExcelFile& f) {
                  return f.WriteValue(ExcelFile::TextValue, 0x40, 0x5A, 0x40, 1, 1,
                                      std::string("Date"));
              })),
              "04 00 0C 00 00 00 00 00 40 40 5A 04 44 61 74 65");
    EXPECT_EQ(hex(bytesOf([](ExcelFile& f) { return f.SetColumnWidth(3, 3, 12); })),
              "24 00 04 00 02 02 00 0C");
    EXPECT_EQ(hex(bytesOf([](ExcelFile& f) { return f.SetFont("Arial", 9, 1); })),
              "31 00 0A 00 B4 00 01 00 05 41 72 69 61 6C");
    EXPECT_EQ(hex(bytesOf([](ExcelFile& f) {
                  return f.WriteValue(ExcelFile::TextValue, 0, 0, 0, 2, 3, std::string());
              })),
              "04 00 08 00 01 00 02 00 00 00 00 00");
    EXPECT_EQ(hex(bytesOf([](ExcelFile& f) {
                  return f.WriteValue(ExcelFile::NumberValue, 0xC0, 0x23, 0, 3, 4, 1.5);
              })),
              "03 00 0F 00 02 00 03 00 00 C0 23 00 00 00 00 00 00 F8 3F");
    // Integers are rounded with halves to the even one.
    EXPECT_EQ(hex(bytesOf([](ExcelFile& f) {
                  return f.WriteValue(ExcelFile::IntegerValue, 0, 0, 0, 1, 1, 2.5);
              })),
              "02 00 09 00 00 00 00 00 00 00 00 02 00");
    EXPECT_EQ(hex(bytesOf([](ExcelFile& f) {
                  return f.WriteValue(ExcelFile::IntegerValue, 0, 0, 0, 1, 1, std::string("-3"));
              })),
              "02 00 09 00 00 00 00 00 00 00 00 FD FF");
    EXPECT_EQ(hex(bytesOf([](ExcelFile& f) { return f.SetMargin(ExcelFile::TopMargin, 0.5); })),
              "28 00 08 00 00 00 00 00 00 00 E0 3F");
    EXPECT_EQ(hex(bytesOf([](ExcelFile& f) { return f.PrintGridLines(false); })),
              "2B 00 02 00 00 00");
    EXPECT_EQ(hex(bytesOf([](ExcelFile& f) { return f.ProtectSpreadsheet(true); })),
              "12 00 02 00 01 00");
    EXPECT_EQ(hex(bytesOf([](ExcelFile& f) { return f.SetHeader("A&B"); })),
              "14 00 05 00 04 41 26 26 42");
    EXPECT_EQ(hex(bytesOf([](ExcelFile& f) { return f.SetFooter(""); })), "15 00 01 00 00");
    // The last row a reader takes, and a number written as a text.
    EXPECT_EQ(hex(bytesOf([](ExcelFile& f) {
                  return f.WriteValue(ExcelFile::TextValue, 0, 0, 0, 16384, 256, 0.25);
              })),
              "04 00 0C 00 FF 3F FF 00 00 00 00 04 30 2E 32 35");
    // An unknown value type writes nothing.
    EXPECT_EQ(
        bytesOf([](ExcelFile& f) { return f.WriteValue(7, 0, 0, 0, 1, 1, std::string("x")); }), "");
}

TEST(ExcelFile, TextsAreWindows1252AndFitTheirLengthByte) {
    // "é" and "€" are single bytes; a character the code page lacks is "?";
    // NULs are dropped. The length byte counts the bytes written.
    EXPECT_EQ(hex(bytesOf([](ExcelFile& f) {
                  return f.WriteValue(ExcelFile::TextValue, 0, 0, 0, 1, 1,
                                      std::string("\xC3\xA9\xE2\x82\xAC\xCE\xA9\0x", 9));
              })),
              "04 00 0C 00 00 00 00 00 00 00 00 04 E9 80 3F 78");

    // Texts over 255 characters are cut to 255 whole characters.
    std::string longText;
    for (int i = 0; i < 300; ++i)
        longText += "\xC3\xA9";
    auto label = records(bytesOf(
        [&](ExcelFile& f) { return f.WriteValue(ExcelFile::TextValue, 0, 0, 0, 1, 1, longText); }));
    ASSERT_EQ(label.size(), 1u);
    EXPECT_EQ(label[0].body.size(), 8u + 255u);
    EXPECT_EQ(static_cast<unsigned char>(label[0].body[7]), 255);
    EXPECT_EQ(label[0].body.substr(8), std::string(255, '\xE9'));

    auto font = records(bytesOf([&](ExcelFile& f) { return f.SetFont(longText, 9, 0); }));
    ASSERT_EQ(font.size(), 1u);
    EXPECT_EQ(font[0].body.size(), 5u + 255u);

    // "&" is doubled in a header; a pair is never split by the cut, and the cut is counted.
    std::string ampersands = std::string(254, 'a') + "&b";
    auto header = records(bytesOf([&](ExcelFile& f) {
        const std::error_code header = f.SetHeader(ampersands);
        EXPECT_EQ(f.textsCut(), 1);
        return header;
    }));
    ASSERT_EQ(header.size(), 1u);
    EXPECT_EQ(header[0].body, "\xFE" + std::string(254, 'a'));
    auto footer =
        records(bytesOf([&](ExcelFile& f) { return f.SetFooter(std::string(200, '&')); }));
    ASSERT_EQ(footer.size(), 1u);
    EXPECT_EQ(footer[0].body, "\xFE" + std::string(254, '&'));
}

TEST(ExcelFile, RefusesWhatTheFormatCannotHold) {
    TempDir dir;
    ExcelFile file;
    ASSERT_FALSE(file.CreateFile(dir / "a.xls"));
    EXPECT_TRUE(file.WriteValue(ExcelFile::TextValue, 0, 0, 0, 16385, 1, std::string("x")));
    EXPECT_TRUE(file.WriteValue(ExcelFile::TextValue, 0, 0, 0, 0, 1, std::string("x")));
    EXPECT_TRUE(file.WriteValue(ExcelFile::TextValue, 0, 0, 0, 1, 257, std::string("x")));
    EXPECT_TRUE(file.WriteValue(ExcelFile::IntegerValue, 0, 0, 0, 1, 1, 32767.6));
    EXPECT_TRUE(file.WriteValue(ExcelFile::NumberValue, 0, 0, 0, 1, 1, std::string("12abc")));
    EXPECT_TRUE(file.SetColumnWidth(1, 1, 128));
    EXPECT_TRUE(file.SetColumnWidth(3, 2, 10));
    EXPECT_TRUE(file.SetFont("Arial", 1639, 0));
    EXPECT_TRUE(file.SetMargin(42, 0.5));
    // A refused call writes nothing and the file goes on.
    EXPECT_FALSE(file.SetColumnWidth(1, 1, 127));
    EXPECT_FALSE(file.CloseFile());
    auto all = records(readFile(dir / "a.xls"));
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[2].number, 0x24u);
    EXPECT_EQ(hex(all[2].body), "00 00 00 7F");
}

TEST(ExcelFile, OpensAndClosesExactlyOnce) {
    TempDir dir;
    writeFile(dir / "old.xls", std::string(5000, 'z'));

    ExcelFile before;
    EXPECT_TRUE(before.PrintGridLines(false)); // nothing open yet
    EXPECT_TRUE(before.CloseFile());

    {
        ExcelFile file;
        ASSERT_FALSE(file.CreateFile(dir / "old.xls"));
        EXPECT_TRUE(file.CreateFile(dir / "other.xls"));
        ASSERT_FALSE(file.WriteValue(ExcelFile::TextValue, 0, 0, 0, 1, 1, std::string("x")));
        // Until closed the old file is untouched.
        EXPECT_EQ(readFile(dir / "old.xls"), std::string(5000, 'z'));
        ASSERT_FALSE(file.CloseFile());
        EXPECT_TRUE(file.CloseFile());
        EXPECT_TRUE(file.WriteValue(ExcelFile::TextValue, 0, 0, 0, 1, 1, std::string("y")));
    }
    std::string replaced = readFile(dir / "old.xls");
    EXPECT_EQ(replaced.substr(0, 8), std::string("\x09\x00\x04\x00\x02\x00\x10\x00", 8));
    EXPECT_EQ(records(replaced).size(), 4u); // BOF, CODEPAGE, LABEL, EOF
    EXPECT_FALSE(std::filesystem::exists(dir / "other.xls"));

    // Abandoned without CloseFile: nothing is left, the old file stays.
    {
        ExcelFile file;
        ASSERT_FALSE(file.CreateFile(dir / "old.xls"));
        ASSERT_FALSE(file.WriteValue(ExcelFile::TextValue, 0, 0, 0, 1, 1, std::string("new")));
    }
    EXPECT_EQ(readFile(dir / "old.xls"), replaced);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(ExcelFile, ReportsFileErrorsAndLeavesNoPartialFile) {
    TempDir dir;
    ExcelFile missingFolder;
    EXPECT_TRUE(missingFolder.CreateFile(dir / "no" / "such" / "a.xls"));
    EXPECT_TRUE(missingFolder.CloseFile());

    writeFile(dir / "a.xls", "old");
    ExcelFile file;
    ASSERT_FALSE(file.CreateFile(dir / "a.xls"));
    SafeFileWriter::failAfterWrites(0); // the disk fills up
    std::error_code first;
    // Records are written in blocks: keep writing until the full disk shows.
    for (int row = 1; row <= 16384 && !first; ++row)
        first = file.WriteValue(ExcelFile::TextValue, 0, 0, 0, row, 1, std::string(200, 'x'));
    if (!first) first = file.CloseFile();
    SafeFileWriter::failAfterWrites(-1);
    EXPECT_EQ(first, std::make_error_code(std::errc::no_space_on_device));
    EXPECT_TRUE(file.CloseFile());
    EXPECT_EQ(readFile(dir / "a.xls"), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}
