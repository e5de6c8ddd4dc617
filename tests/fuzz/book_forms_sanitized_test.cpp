// The text and CSV readers and both insert paths, built with
// AddressSanitizer and UndefinedBehaviorSanitizer, on every truncation and a
// thousand bit flips of each seed: no fault, and each check of form_checks.h
// holds. And thousands of generated hostile books written in every form and
// read back.
#include "form_checks.h"
#include "seed_files.h"
#include "support/hostile_books.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

namespace {

using Check = std::function<std::string(std::string_view)>;

// Every cut and a thousand copies with one to four bits flipped.
void sweep(const std::vector<std::pair<std::string, std::string>>& files, const Check& check,
           std::size_t cutStep = 1) {
    ASSERT_FALSE(files.empty());
    std::mt19937 rng(11);
    for (const auto& [name, bytes] : files) {
        for (std::size_t n = 0; n < bytes.size(); n += cutStep)
            ASSERT_EQ(check(std::string_view(bytes).substr(0, n)), "") << name << " cut at " << n;
        for (int i = 0; i < 1000; ++i)
            ASSERT_EQ(check(withBitsFlipped(bytes, rng)), "") << name << " flip " << i;
    }
}

} // namespace

TEST(BookFormsUnderSanitizers, TheSeedsReadWhole) {
    const Book open = form_checks::openBook();
    for (const auto& [name, bytes] : seedFiles("/text", ".txt"))
        EXPECT_TRUE(parseBookText(bytes, open, dayFirstLocale(), 45000, nullptr,
                                  hostile::answerAsWritten(open.DateStyle, dayFirstLocale()))
                        .ok)
            << name;
    for (const auto& [name, bytes] : seedFiles("/csv", ".csv"))
        EXPECT_TRUE(parseBookCsv(bytes, open, dayFirstLocale(), 45000, nullptr, name, CsvUse::Open,
                                 hostile::answerAsWritten(open.DateStyle, dayFirstLocale()))
                        .ok)
            << name;
}

TEST(BookFormsUnderSanitizers, TextReader) {
    sweep(seedFiles("/text", ".txt"), form_checks::checkText);
}

TEST(BookFormsUnderSanitizers, CsvReader) {
    sweep(seedFiles("/csv", ".csv"), form_checks::checkCsv);
}

TEST(BookFormsUnderSanitizers, InsertingACsvBook) {
    sweep(seedFiles("/csv", ".csv"),
          [](std::string_view b) { return form_checks::checkInsert(b, InsertSource::CsvFile); });
}

TEST(BookFormsUnderSanitizers, InsertingABookFile) {
    sweep(
        seedFiles("", ".acc"),
        [](std::string_view b) { return form_checks::checkInsert(b, InsertSource::BookFile); }, 7);
}

TEST(BookFormsUnderSanitizers, GeneratedHostileBooksComeBackInEveryFormOrAreRefused) {
    const LocaleInfo locales[] = {dayFirstLocale(), monthFirstLocale(), decimalCommaLocale()};
    for (std::uint32_t n = 0; n < 2000; ++n) {
        std::string fault;
        const Book held = hostile::heldBook(hostile::generatedBook(n), fault);
        ASSERT_EQ(fault, "") << "book " << n;
        for (hostile::Form form :
             {hostile::Form::BookFile, hostile::Form::Text, hostile::Form::Csv})
            ASSERT_EQ(hostile::roundTripFault(held, form, locales[n % 3]), "")
                << "book " << n << ", " << hostile::formName(form);
    }
}
