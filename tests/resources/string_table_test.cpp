#include "resources/string_table.h"

#include "support/test_paths.h"

#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace {

// The texts of the source table, number -> text, as written in the tsv.
std::map<int, std::string> sourceTexts() {
    std::map<int, std::string> texts;
    std::istringstream in(testing_support::readFile(LW_SOURCE_DIR "/resources/strings-en.tsv"));
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty()) continue;
        const auto tab = line.find('\t');
        EXPECT_NE(tab, std::string::npos) << line;
        if (tab == std::string::npos) continue;
        texts[std::stoi(line.substr(0, tab))] = line.substr(tab + 1);
    }
    return texts;
}

} // namespace

TEST(StringTable, KnownEnglishTextsCharacterForCharacter) {
    strings::setLanguage("en_GB");
    EXPECT_EQ(strings::text(155), "Balance");
    EXPECT_EQ(strings::text(277), "The Accounts are balanced");
    EXPECT_EQ(strings::text(227), "Generate Tracking Numbers... "); // trailing blank kept
    EXPECT_EQ(strings::text(330), "0");
    EXPECT_EQ(strings::text(109), "");
    EXPECT_EQ(strings::text(332), "");
    EXPECT_FALSE(strings::has(109));
}

TEST(StringTable, AgreesWithEveryLineOfTheSourceTable) {
    strings::setLanguage("en");
    const auto texts = sourceTexts();
    ASSERT_GT(texts.size(), 150u);
    for (const auto& [n, text] : texts) {
        EXPECT_TRUE(strings::has(n)) << n;
        EXPECT_EQ(strings::text(n), text) << n;
    }
    // And holds nothing the source table lacks.
    for (int n = 100; n <= 400; ++n) {
        if (!texts.count(n)) {
            EXPECT_FALSE(strings::has(n)) << n;
        }
    }
}

TEST(StringTable, UnknownLanguagesFallBackToEnglish) {
    for (const char* name : {"xx_YY", "de_DE", "fr", "", "_"}) {
        strings::setLanguage(name);
        EXPECT_EQ(strings::language(), "en") << name;
        EXPECT_EQ(strings::text(155), "Balance") << name;
        EXPECT_EQ(strings::text(227), "Generate Tracking Numbers... ") << name;
    }
    strings::setLanguage("en");
}
