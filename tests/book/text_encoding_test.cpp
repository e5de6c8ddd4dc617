#include "book/text_encoding.h"

#include "book/fixed_text.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

using namespace encoding;

namespace {

std::string bytesOf(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

} // namespace

TEST(TextEncoding, ValidUtf8AcceptsWellFormedText) {
    EXPECT_TRUE(isValidUtf8(""));
    EXPECT_TRUE(isValidUtf8("plain ASCII with\ttab and \r\n"));
    EXPECT_TRUE(isValidUtf8(std::string("a\0b", 3))); // NUL is a character
    EXPECT_TRUE(isValidUtf8("é € 漢 😀"));
    EXPECT_TRUE(isValidUtf8(bytesOf({0xC2, 0x80})));             // U+0080, lowest 2-byte
    EXPECT_TRUE(isValidUtf8(bytesOf({0xE0, 0xA0, 0x80})));       // U+0800, lowest 3-byte
    EXPECT_TRUE(isValidUtf8(bytesOf({0xED, 0x9F, 0xBF})));       // U+D7FF, just below surrogates
    EXPECT_TRUE(isValidUtf8(bytesOf({0xEE, 0x80, 0x80})));       // U+E000, just above them
    EXPECT_TRUE(isValidUtf8(bytesOf({0xF0, 0x90, 0x80, 0x80}))); // U+10000
    EXPECT_TRUE(isValidUtf8(bytesOf({0xF4, 0x8F, 0xBF, 0xBF}))); // U+10FFFF, the last
}

TEST(TextEncoding, ValidUtf8RejectsOverlongSurrogatesAndBrokenSequences) {
    // Overlong forms.
    EXPECT_FALSE(isValidUtf8(bytesOf({0xC0, 0x80})));
    EXPECT_FALSE(isValidUtf8(bytesOf({0xC1, 0xBF})));
    EXPECT_FALSE(isValidUtf8(bytesOf({0xE0, 0x80, 0x80})));
    EXPECT_FALSE(isValidUtf8(bytesOf({0xE0, 0x9F, 0xBF})));
    EXPECT_FALSE(isValidUtf8(bytesOf({0xF0, 0x8F, 0xBF, 0xBF})));
    // Surrogates and points beyond U+10FFFF.
    EXPECT_FALSE(isValidUtf8(bytesOf({0xED, 0xA0, 0x80})));
    EXPECT_FALSE(isValidUtf8(bytesOf({0xED, 0xBF, 0xBF})));
    EXPECT_FALSE(isValidUtf8(bytesOf({0xF4, 0x90, 0x80, 0x80})));
    EXPECT_FALSE(isValidUtf8(bytesOf({0xF5, 0x80, 0x80, 0x80})));
    EXPECT_FALSE(isValidUtf8(bytesOf({0xFF})));
    // Stray continuation bytes and truncated sequences.
    EXPECT_FALSE(isValidUtf8(bytesOf({0x80})));
    EXPECT_FALSE(isValidUtf8("ab" + bytesOf({0xBF}) + "cd"));
    EXPECT_FALSE(isValidUtf8("x" + bytesOf({0xE2, 0x82})));
    EXPECT_FALSE(isValidUtf8(bytesOf({0xE2, 0x82}) + "A"));
    EXPECT_FALSE(isValidUtf8(bytesOf({0xF0, 0x9F, 0x98})));
    EXPECT_FALSE(isValidUtf8(bytesOf({0xC3})));
    // A single-byte code page text is not UTF-8.
    EXPECT_FALSE(isValidUtf8("Z" + bytesOf({0xFC}) + "rich"));
}

TEST(TextEncoding, CharsetNumbersChooseTheirCodePage) {
    EXPECT_EQ(codePageForCharset(0), 1252);
    EXPECT_EQ(codePageForCharset(238), 1250);
    EXPECT_EQ(codePageForCharset(204), 1251);
    EXPECT_EQ(codePageForCharset(161), 1253);
    EXPECT_EQ(codePageForCharset(162), 1254);
    EXPECT_EQ(codePageForCharset(177), 1255);
    EXPECT_EQ(codePageForCharset(178), 1256);
    EXPECT_EQ(codePageForCharset(186), 1257);
    EXPECT_EQ(codePageForCharset(163), 1258);
    EXPECT_EQ(codePageForCharset(222), 874);
    // Double-byte sets and anything unknown fall back to Western.
    for (int other : {1, 2, 128, 129, 134, 136, 255, -1, 1252})
        EXPECT_EQ(codePageForCharset(other), 1252) << other;
}

TEST(TextEncoding, DecodesEachCodePage) {
    struct Sample {
        int codePage;
        int byte;
        const char* text;
    };
    const std::vector<Sample> samples = {
        {1252, 0x80, "€"}, {1252, 0xE9, "é"}, {1252, 0x8A, "Š"}, {1252, 0xFE, "þ"},
        {1250, 0x8A, "Š"}, {1250, 0xC0, "Ŕ"}, {1250, 0xFE, "ţ"}, {1251, 0xC0, "А"},
        {1251, 0x80, "Ђ"}, {1251, 0xFE, "ю"}, {1253, 0xD0, "Π"}, {1253, 0xF0, "π"},
        {1254, 0xD0, "Ğ"}, {1254, 0xFE, "ş"}, {1255, 0xE9, "י"}, {1255, 0xF0, "נ"},
        {1256, 0x8A, "ٹ"}, {1256, 0xD0, "ذ"}, {1257, 0xC0, "Ą"}, {1257, 0xFE, "ž"},
        {1258, 0xD0, "Đ"}, {1258, 0xFE, "₫"}, {874, 0xA1, "ก"},  {874, 0xF0, "๐"},
        {874, 0x80, "€"},
    };
    for (const Sample& s : samples)
        EXPECT_EQ(decodeCodePage(bytesOf({s.byte}), s.codePage), s.text)
            << "code page " << s.codePage << " byte " << s.byte;

    // ASCII and NUL pass through; a longer text keeps its order.
    EXPECT_EQ(decodeCodePage(std::string("a\0b", 3), 1251), std::string("a\0b", 3));
    EXPECT_EQ(decodeCodePage(bytesOf({0xCC, 0xEE, 0xF1, 0xEA, 0xE2, 0xE0}), 1251), "Москва");
    EXPECT_EQ(decodeCodePage("Caf" + bytesOf({0xE9}) + " 5" + bytesOf({0x80}), 1252), "Café 5€");
}

TEST(TextEncoding, UndefinedBytesBecomeReplacementCharacter) {
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(decodeCodePage(bytesOf({0x81}), 1252), replacement);
    EXPECT_EQ(decodeCodePage(bytesOf({0x9D}), 1252), replacement);
    EXPECT_EQ(decodeCodePage(bytesOf({0xFE}), 874), replacement);
    EXPECT_EQ(decodeCodePage(bytesOf({0xAA}), 1253), replacement);
    EXPECT_EQ(decodeCodePage(bytesOf({0xA1}), 1257), replacement);
    EXPECT_EQ(decodeCodePage("a" + bytesOf({0x8A}) + "b", 1258), "a" + replacement + "b");
    // A code page without a table is read as Western.
    EXPECT_EQ(decodeCodePage(bytesOf({0xE9}), 437), "é");
}

TEST(TextEncoding, StoredTextKeepsUtf8AndDecodesTheRest) {
    EXPECT_EQ(toUtf8("Zürich €", 1251), "Zürich €");
    EXPECT_EQ(toUtf8("plain", 874), "plain");
    EXPECT_EQ(toUtf8("", 1252), "");
    EXPECT_EQ(toUtf8("Z" + bytesOf({0xFC}) + "rich", 1252), "Zürich");
    EXPECT_EQ(toUtf8("Z" + bytesOf({0xFC}) + "rich", 1251), "Zьrich");
    // One bad byte makes the whole text single-byte, valid-looking pairs included.
    EXPECT_EQ(toUtf8(bytesOf({0xC3, 0xA9, 0xE9}), 1252), "Ã©é");
}

TEST(TextEncoding, Windows1252OutputUsesQuestionMarkForWhatItLacks) {
    EXPECT_EQ(utf8ToWindows1252("é€漢"), bytesOf({0xE9, 0x80, 0x3F}));
    EXPECT_EQ(utf8ToWindows1252("plain text\r\n"), "plain text\r\n");
    EXPECT_EQ(utf8ToWindows1252("Œuvre ÿ Ž"),
              bytesOf({0x8C}) + "uvre " + bytesOf({0xFF}) + " " + bytesOf({0x8E}));
    EXPECT_EQ(utf8ToWindows1252("\xC2\xA0"), bytesOf({0xA0}));
    EXPECT_EQ(utf8ToWindows1252("😀x"), "?x");      // one character, one mark
    EXPECT_EQ(utf8ToWindows1252("\xC2\x81"), "?"); // U+0081 has no byte in 1252
    EXPECT_EQ(utf8ToWindows1252("Москва"), "??????");
    // Bytes that are not UTF-8 stand for themselves.
    EXPECT_EQ(utf8ToWindows1252(bytesOf({0xE9}) + "abc"), bytesOf({0xE9}) + "abc");
    EXPECT_EQ(utf8ToWindows1252(bytesOf({0xE2, 0x82})), bytesOf({0xE2, 0x82}));

    // Every character of the code page survives a round trip.
    std::string all;
    for (int b = 0x20; b <= 0xFF; ++b)
        if (b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D && b != 0x7F)
            all += static_cast<char>(b);
    EXPECT_EQ(utf8ToWindows1252(decodeCodePage(all, 1252)), all);
}

TEST(TextEncoding, CutNeverSplitsACharacter) {
    EXPECT_EQ(cutUtf8("abc", 5), "abc");
    EXPECT_EQ(cutUtf8("abc", 3), "abc");
    EXPECT_EQ(cutUtf8("abc", 2), "ab");
    EXPECT_EQ(cutUtf8("abc", 0), "");
    EXPECT_EQ(cutUtf8("aé", 2), "a");
    EXPECT_EQ(cutUtf8("aé", 3), "aé");
    EXPECT_EQ(cutUtf8("€€", 4), "€");
    EXPECT_EQ(cutUtf8("€€", 5), "€");
    EXPECT_EQ(cutUtf8("😀x", 3), "");
    EXPECT_EQ(cutUtf8("😀x", 4), "😀");

    const std::string mixed = "Aé€😀b漢çЖ";
    for (std::size_t max = 0; max <= mixed.size() + 1; ++max) {
        const std::string cut = cutUtf8(mixed, max);
        EXPECT_LE(cut.size(), max);
        EXPECT_GE(cut.size() + 3, std::min(max, mixed.size())) << max;
        EXPECT_TRUE(isValidUtf8(cut)) << max;
        EXPECT_EQ(mixed.compare(0, cut.size(), cut), 0) << max;
    }

    // Text that is not UTF-8 is cut at the limit, not backed off further.
    EXPECT_EQ(cutUtf8(bytesOf({0x80, 0x80, 0x80, 0x80, 0x80}), 3), bytesOf({0x80, 0x80, 0x80}));
    EXPECT_EQ(cutUtf8("ab" + bytesOf({0xE9}) + "cd", 3), "ab" + bytesOf({0xE9}));

    // What is typed or pasted into a box kept to a few bytes is cut the same
    // way, the caret after what was kept.
    const auto fit = [](std::string_view before, std::string_view after, std::size_t caret,
                        std::size_t max) {
        const FittedText f = fitTypedText(before, after, caret, max);
        return f.text + "|" + std::to_string(f.caret);
    };
    EXPECT_EQ(fit("abc", "abcé", 5, 4), "abc|3");
    EXPECT_EQ(fit("ab", "axé€b", 7, 5), "axéb|4");
    EXPECT_EQ(fit("ab", "ab€", 5, 9), "ab€|5");
    // A text already longer grows no longer; the byte past `after` is not its.
    EXPECT_EQ(fit("abcdef", std::string_view("abcde\x80", 5), 5, 3), "abcde|5");
}

TEST(TextEncoding, CountsAndCutsWholeCharacters) {
    const std::string mixed = "Aé€😀b";
    EXPECT_EQ(characterCount(mixed), 5u);
    EXPECT_EQ(characterCount(""), 0u);
    EXPECT_EQ(firstCharacters(mixed, 0), "");
    EXPECT_EQ(firstCharacters(mixed, 3), "Aé€");
    EXPECT_EQ(firstCharacters(mixed, 9), mixed);
    EXPECT_EQ(lastCharacter(mixed), "b");
    EXPECT_EQ(lastCharacter("x€"), "€");
    EXPECT_EQ(lastCharacter(""), "");
    // A byte that starts no character is one character of its own.
    const std::string broken = "a" + bytesOf({0xE9}) + "b" + bytesOf({0x80});
    EXPECT_EQ(characterCount(broken), 4u);
    EXPECT_EQ(firstCharacters(broken, 2), "a" + bytesOf({0xE9}));
    EXPECT_EQ(lastCharacter(broken), bytesOf({0x80}));
    EXPECT_EQ(characterLength("€", 0), 3u);
}

// Strings of characters of every length, some folding to fewer bytes; every
// code point's own fold is checked against Python's Unicode data below.
TEST(TextEncoding, FoldsTheCaseOfEveryScript) {
    const struct {
        const char *text, *folded;
    } cases[] = {
        {"Café ÉTÉ", "café été"},
        {"ÀÖØÞ ×÷ µ", "àöøþ ×÷ μ"},       // not the signs; micro folds to mu
        {"ĀĲĹŇŊŸŹŽſ", "āĳĺňŋÿźžs"},       // capitals on even, then odd points
        {"İıĸŉß ﬀ", "İıĸŉß ﬀ"},           // no simple one-to-one fold
        {"ΆΈΊΌΎΏΑΩΪΫ ς", "άέίόύώαωϊϋ σ"}, // tonos, dialytika, final sigma
        {"ЀЏАЯ ѠҊӀӁӐӾ", "ѐџая ѡҋӏӂӑӿ"},
        {"ǄǅǈƁƆƐ ẞ", "ǆǆǉɓɔɛ ß"}, // digraphs, African letters, capital sharp s
        {"ԀԮ ᲀ", "ԁԯ в"},  // Cyrillic Supplement and Extended-C
        {"KÅΩ", "kåω"},           // Kelvin, angstrom and ohm signs: fewer bytes folded
        {"𐐀𐐧 𐒰 𞤀", "𐐨𐑏 𐓘 𞤢"}, // Deseret, Osage, Adlam
        {"123 _-/€😀漢", "123 _-/€😀漢"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(caseFolded(c.text), c.folded) << c.text;
    // Bytes that start no character stay as they are, around folded letters.
    EXPECT_EQ(caseFolded("A" + bytesOf({0xC9, 0x80}) + "É"), "a" + bytesOf({0xC9, 0x80}) + "é");
    EXPECT_EQ(foldCase(U'Ω'), U'ω');
    EXPECT_EQ(foldCase(U'ж'), U'ж');
    EXPECT_EQ(foldCase(0x110000), 0x110000u);
}

// Python's Unicode data gives the expected fold of every code point: the one
// code point of str.casefold(), else of str.lower(), else the point itself;
// and its capital: the one code point of str.upper() that folds as it does.
TEST(TextEncoding, FoldsEveryCodePointAsPythonsUnicodeData) {
    const std::string script =
        "def f(p):\n"
        "    m = [m for m in (chr(p).casefold(), chr(p).lower()) if len(m) == 1]\n"
        "    return ord(m[0]) if m and not 0xD800 <= p <= 0xDFFF else p\n"
        "for p in range(0x110000):\n"
        "    u = chr(p).upper()\n"
        "    c = ord(u) if len(u) == 1 and f(ord(u)) == f(p) and not 0xD800 <= p <= 0xDFFF else p\n"
        "    if f(p) != p or c != p: print('%x %x %x' % (p, f(p), c))\n";
    testing_support::TempDir dir;
    testing_support::writeFile(dir / "fold.py", script);
    std::string output;
    ASSERT_EQ(testing_support::runCommand(
                  testing_support::systemPython() + " " + (dir / "fold.py").string(), &output),
              0);
    std::vector<char32_t> expected(0x110000), capitals(0x110000);
    for (char32_t p = 0; p < expected.size(); ++p)
        expected[p] = capitals[p] = p;
    std::istringstream lines(output);
    std::uint32_t point = 0, folded = 0, capital = 0;
    std::size_t changed = 0;
    while (lines >> std::hex >> point >> folded >> capital) {
        ASSERT_LT(point, expected.size());
        expected[point] = folded;
        capitals[point] = capital;
        ++changed;
    }
    EXPECT_GT(changed, 2700u); // the whole table was read
    std::size_t wrong = 0;
    for (char32_t p = 0; p < expected.size(); ++p) {
        if (foldCase(p) == expected[p] && capitalOf(p) == capitals[p]) continue;
        if (++wrong <= 10)
            ADD_FAILURE() << std::hex << "U+" << static_cast<std::uint32_t>(p) << " folds to U+"
                          << static_cast<std::uint32_t>(foldCase(p)) << ", not U+"
                          << static_cast<std::uint32_t>(expected[p]) << "; its capital U+"
                          << static_cast<std::uint32_t>(capitalOf(p)) << ", not U+"
                          << static_cast<std::uint32_t>(capitals[p]);
    }
    EXPECT_EQ(wrong, 0u);
}
