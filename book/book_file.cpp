#include "book/book_file.h"

#include "book/account_number_rule.h"
#include "book/byte_digest.h"
#include "book/byte_reader.h"
#include "book/byte_writer.h"
#include "book/day_of_date.h"
#include "book/file_descriptor.h"
#include "book/password_scramble.h"
#include "book/safe_file.h"
#include "book/text_encoding.h"
#include "book/tmain.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <new>
#include <system_error>
#include <unistd.h>

namespace {

// --- layout constants ---

constexpr std::int64_t VersionFive = 5 * Currency::Scale;
constexpr std::int64_t VersionSix = 6 * Currency::Scale;
constexpr std::int64_t VersionSeven = 7 * Currency::Scale;
} // namespace

Currency writtenBookFileVersion() {
    return Currency::fromRaw(VersionSeven);
}

namespace {

constexpr std::size_t ReferenceBytes = 14;
constexpr std::size_t GroupNameBytes = 120;
constexpr std::uint64_t EntryLineMinBytes = 28; // with an empty note
constexpr std::uint64_t OldEntryMinBytes = 43;
constexpr std::uint64_t AccountSlotMinBytes = 8 + 2 + 1 + 2 + 2 + 2;
constexpr std::size_t MaxTextBytes = 65535;

constexpr std::int16_t TagEmpty = 0;
constexpr std::int16_t TagText = 8;

// The day numbers a date can hold: 1 January 100 to 31 December 9999.
constexpr double FirstValidDay = -657434;
constexpr double LastValidDay = 2958465;

const char* const UnsupportedVersionMessage =
    "This old Acc file is not supported in Version 6, Re-save in Version 5";

// --- texts of old files ---

bool isAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

// A text read from the file becomes UTF-8: kept when it already is, else
// decoded from the book's code page.
void toUtf8InPlace(std::string& s, int codePage) {
    if (isAscii(s) || encoding::isValidUtf8(s)) return;
    s = encoding::decodeCodePage(s, codePage);
}

void toUtf8InPlace(VariantText& v, int codePage) {
    if (v.value) toUtf8InPlace(*v.value, codePage);
}

template <std::size_t N> void toUtf8InPlace(FixedText<N>& f, int codePage) {
    std::string_view raw(f.bytes.data(), N);
    if (isAscii(raw) || encoding::isValidUtf8(raw)) return;
    f.assign(encoding::decodeCodePage(raw, codePage)); // cut at a character boundary
}

void checkDate(double day, const std::string& where) {
    if (!std::isfinite(day) || dayOfDate(day) < FirstValidDay || dayOfDate(day) > LastValidDay)
        throw DamagedFile("a date in " + where + " is not a valid day number");
}

// The text of a number held in a variant, as the number would be shown.
std::string formatDouble(double v, int digits) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.*g", digits, v);
    return buf;
}

std::string formatDayNumber(double day) {
    int y = 0, m = 0, d = 0;
    Tmain::CalendarDate(day, y, m, d);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
    std::string text = buf;
    double fraction = day - dayOfDate(day);
    if (fraction != 0) {
        long seconds = std::lround(std::fabs(fraction) * 86400.0);
        if (seconds >= 86400) seconds = 86399;
        std::snprintf(buf, sizeof buf, " %02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60,
                      seconds % 60);
        text += buf;
    }
    return text;
}

// --- the parser ---

class BookParser {
  public:
    BookParser(ByteReader& reader, const PasswordPrompt& askPassword, RunTimeState* run)
        : r_(reader), askPassword_(askPassword), run_(run) {}

    BookReadResult parse() {
        BookReadResult result;
        try {
            parseInto(result);
        } catch (const DamagedFile& e) {
            result.status = BookReadStatus::Damaged;
            result.damage = e.what();
            result.message = "This book file is damaged and was not opened: " + result.damage + ".";
        }
        if (!result.ok()) result.book = Book();
        return result;
    }

  private:
    void parseInto(BookReadResult& result) {
        Book& book = result.book;
        book.resizeAccounts(MinAccountSlots - 1);
        resetEntryGroups(book);

        // Fields 1 to 3: header, business name, password.
        r_.setPart("the header");
        VariantText header = readVariant("the header");
        const bool oldGroups = !header.str().empty() && header.str()[0] == '5';
        r_.setPart("the business name");
        book.BusinessName = readVariant("the business name");
        r_.setPart("the password");
        VariantText storedPassword = readVariant("the password");
        if (!checkPassword(storedPassword, book, result)) return;

        // Fields 4 and 5.
        r_.setPart("the settings");
        const std::int32_t lastEntryLine = r_.i32();
        if (lastEntryLine < -1)
            throw DamagedFile("its number of journal lines is negative (" +
                              std::to_string(lastEntryLine) + ")");
        // Every line, old or new, takes at least a reference and an empty line.
        r_.requireRoom(static_cast<std::uint64_t>(lastEntryLine) + 1,
                       ReferenceBytes + EntryLineMinBytes, "journal lines");
        if (run_) run_->ProgressStride = progressStrideFor(lastEntryLine);
        book.DecimalsJournal = r_.i16();
        book.DecimalsLedger = r_.i16();
        book.DecimalsTrialBalance = r_.i16();
        book.DecimalsIncome = r_.i16();
        book.DecimalsBalanceSheet = r_.i16();

        // Fields 6 and 7: the account list of the entry line's boxes.
        r_.setPart("the account list");
        const std::int16_t lastListItem = r_.i16();
        if (lastListItem < -1)
            throw DamagedFile("its number of account list items is negative (" +
                              std::to_string(lastListItem) + ")");
        r_.requireRoom(static_cast<std::uint64_t>(lastListItem + 1), 2, "account list items");
        book.EntryAccountList.resize(static_cast<std::size_t>(lastListItem + 1));
        for (auto& item : book.EntryAccountList)
            item = readVariant("the account list");

        // Fields 8 to 15: the account table.
        r_.setPart("the account table");
        const std::int16_t lastAccount = r_.i16();
        if (lastAccount < 0)
            throw DamagedFile("its highest account slot is negative (" +
                              std::to_string(lastAccount) + ")");
        const int slots = std::max<int>(lastAccount, MinAccountSlots - 1) + 1;
        r_.requireRoom(static_cast<std::uint64_t>(slots), AccountSlotMinBytes, "account slots");
        book.resizeAccounts(lastAccount);
        book.DateStyle = r_.i16();
        for (auto& number : book.AccountNumbers)
            number = Currency::fromRaw(r_.i64());
        r_.setPart("the account names");
        for (auto& name : book.AccountNames)
            name = readText();
        r_.setPart("the account classes");
        // A class beyond Other is read as Other, the class only the trial
        // balance shows, so that every window and form sees a class it knows.
        for (auto& type : book.AccountTypes)
            type = std::min<std::uint8_t>(r_.u8(), Other);
        r_.setPart("the account notes");
        for (auto& note : book.AccountNote)
            note = readText();
        for (auto& note : book.AccountNote2)
            note = readText();
        for (auto& extra : book.AccountExtra)
            extra = readText();

        // Field 16.
        r_.setPart("the group names");
        for (auto& name : book.GroupNames)
            r_.copy(name.bytes.data(), GroupNameBytes);

        // The groups of a version-5 file come before its version.
        if (oldGroups) readOldGroups(book);

        // Field 17: the version decides the rest.
        r_.setPart("the version");
        result.version = Currency::fromRaw(r_.i64());
        const std::int64_t version = result.version.raw;
        if (version != VersionFive && version != VersionSix && version != VersionSeven) {
            result.status = BookReadStatus::UnsupportedVersion;
            result.message = UnsupportedVersionMessage;
            return;
        }
        if (version > VersionFive) {
            r_.setPart("the entry groups");
            book.GroupCount = r_.i32();
            for (int g = 0; g < GroupTotal; ++g)
                readGroup(book.EntryGroups[g], g);
        }

        // Fields 20 to 27.
        r_.setPart("the settings");
        book.AutoIncrement = r_.i16();
        if (book.AutoIncrement > 1) book.AutoIncrement = 0;
        book.FontName = readVariant("the font name");
        book.ReservedInteger = r_.i16();
        book.FontCharset = r_.i16();
        book.AdminPassword = readVariant("the administrator password");
        book.SubAccountDash = r_.i16();
        book.BusinessAddress = readVariant("the business address");
        book.ReservedLong = r_.i32();

        // Now the code page of the texts read so far is known.
        codePage_ = encoding::codePageForCharset(book.FontCharset);
        convertTexts(book, header);

        // Field 28.
        r_.setPart("the journal");
        if (version == VersionFive)
            readOldJournal(book, lastEntryLine);
        else
            readJournal(book, lastEntryLine);
        result.status = BookReadStatus::Ok;
    }

    // Field 3. False when the reading must stop (result set).
    bool checkPassword(const VariantText& stored, Book& book, BookReadResult& result) {
        if (stored.isEmpty() || stored.str().empty()) {
            book.FilePassword = stored; // Empty or "", as stored
            return true;
        }
        std::optional<std::string> plain = password_scramble::unscramble(stored.str());
        if (!plain) {
            result.status = BookReadStatus::ForeignPassword;
            result.message = "This book's password was stored by another program in a form that "
                             "cannot be checked here, so the book was not opened.";
            return false;
        }
        // Our own form always holds UTF-8; anything else is taken as Windows-1252
        // until the book's own code page is known.
        rawPassword_ = *plain;
        const std::string password = encoding::toUtf8(*plain, 1252);
        std::optional<std::string> answer;
        if (askPassword_) answer = askPassword_(password);
        if (!answer || *answer != password) {
            result.status = BookReadStatus::PasswordRefused;
            result.message = "The password was not accepted; the book was not opened.";
            return false;
        }
        book.FilePassword = *plain;
        return true;
    }

    void convertTexts(Book& book, VariantText& header) {
        toUtf8InPlace(header, codePage_);
        book.Caption = header.str();
        if (!book.Caption.empty()) {
            // Drop the first character ("m" in our files), whole.
            book.Caption.erase(0, encoding::characterLength(book.Caption, 0));
        }
        toUtf8InPlace(book.BusinessName, codePage_);
        if (!rawPassword_.empty()) book.FilePassword = encoding::toUtf8(rawPassword_, codePage_);
        for (auto& item : book.EntryAccountList)
            toUtf8InPlace(item, codePage_);
        for (auto* column :
             {&book.AccountNames, &book.AccountNote, &book.AccountNote2, &book.AccountExtra})
            for (auto& s : *column)
                toUtf8InPlace(s, codePage_);
        for (auto& name : book.GroupNames)
            toUtf8InPlace(name, codePage_);
        for (auto& group : book.EntryGroups)
            for (auto& line : group)
                toUtf8InPlace(line.Details, codePage_);
        toUtf8InPlace(book.FontName, codePage_);
        toUtf8InPlace(book.AdminPassword, codePage_);
        toUtf8InPlace(book.BusinessAddress, codePage_);
    }

    // --- field kinds ---

    std::string readText() {
        const std::uint16_t length = r_.u16();
        return std::string(r_.bytes(length));
    }

    VariantText readVariant(const std::string& what) {
        const std::int16_t tag = r_.i16();
        switch (tag) {
        case TagEmpty:
            return VariantText();
        case TagText:
            return VariantText(readText());
        case 2:
            return VariantText(std::to_string(r_.i16()));
        case 3:
            return VariantText(std::to_string(r_.i32()));
        case 4: {
            double v = r_.f32();
            if (!std::isfinite(v)) throw DamagedFile(what + " holds a number that is not finite");
            return VariantText(formatDouble(v, 7));
        }
        case 5: {
            double v = r_.f64();
            if (!std::isfinite(v)) throw DamagedFile(what + " holds a number that is not finite");
            return VariantText(formatDouble(v, 15));
        }
        case 6:
            return VariantText(Currency::fromRaw(r_.i64()).toPlainString());
        case 7: {
            double day = r_.f64();
            checkDate(day, what);
            return VariantText(formatDayNumber(day));
        }
        case 11:
            return VariantText(r_.i16() != 0 ? "True" : "False");
        case 17:
            return VariantText(std::to_string(r_.u8()));
        default:
            throw DamagedFile(what + " has a value of unknown kind " + std::to_string(tag));
        }
    }

    // A whole number held in a variant of any numeric kind (an old group's bound).
    std::int64_t readVariantWhole(const std::string& what) {
        const std::int16_t tag = r_.i16();
        double v = 0;
        switch (tag) {
        case TagEmpty:
            return 0;
        case 2:
            return r_.i16();
        case 3:
            return r_.i32();
        case 11:
            return r_.i16();
        case 17:
            return r_.u8();
        case 4:
            v = r_.f32();
            break;
        case 5:
        case 7:
            v = r_.f64();
            break;
        case 6:
            v = static_cast<double>(r_.i64()) / Currency::Scale;
            break;
        default:
            throw DamagedFile(what + " is not a number");
        }
        if (!std::isfinite(v) || v < -1e12 || v > 1e12)
            throw DamagedFile(what + " is out of range");
        return static_cast<std::int64_t>(std::nearbyint(v));
    }

    void readEntryLine(EntryLine& line, const std::string& where) {
        line.Date = r_.f64();
        checkDate(line.Date, where);
        line.Side = r_.u8();
        line.AccountNumber = Currency::fromRaw(r_.i64());
        line.Amount = Currency::fromRaw(r_.i64());
        line.Side = sideAsRead(line);
        line.Details = readText();
        line.Reconciled = r_.u8();
    }

    struct OldEntry {
        double Date = 0;
        Currency DebitAmount, CreditAmount, DebitAccount, CreditAccount;
        std::string Details;
        std::uint8_t Reconciled = 0;
    };

    void readOldEntry(OldEntry& e, const std::string& where) {
        e.Date = r_.f64();
        checkDate(e.Date, where);
        e.DebitAmount = Currency::fromRaw(r_.i64());
        e.CreditAmount = Currency::fromRaw(r_.i64());
        e.DebitAccount = Currency::fromRaw(r_.i64());
        e.CreditAccount = Currency::fromRaw(r_.i64());
        e.Details = readText();
        e.Reconciled = r_.u8();
    }

    // An old record's note: NUL characters removed, blanks trimmed at both ends.
    static std::string oldNote(const std::string& details) {
        std::string s = details;
        std::erase(s, '\0');
        std::size_t first = s.find_first_not_of(' ');
        if (first == std::string::npos) return {};
        std::size_t last = s.find_last_not_of(' ');
        return s.substr(first, last - first + 1);
    }

    // --- groups ---

    void readGroup(std::vector<EntryLine>& group, int g) {
        const std::string where = "entry group " + std::to_string(g + 1);
        const std::int32_t upper = r_.i32();
        if (upper < -1) throw DamagedFile("the size of " + where + " is negative");
        r_.requireRoom(static_cast<std::uint64_t>(upper) + 1, EntryLineMinBytes,
                       "lines in " + where);
        group.assign(static_cast<std::size_t>(upper) + 1, EntryLine{});
        for (auto& line : group)
            readEntryLine(line, where);
    }

    void readOldGroups(Book& book) {
        r_.setPart("the entry groups");
        for (int g = 0; g < GroupTotal; ++g) {
            const std::string where = "entry group " + std::to_string(g + 1);
            const std::int64_t upper = readVariantWhole("the size of " + where);
            if (upper < -1) throw DamagedFile("the size of " + where + " is negative");
            r_.requireRoom(static_cast<std::uint64_t>(upper + 1), OldEntryMinBytes,
                           "records in " + where);
            std::vector<EntryLine> lines(static_cast<std::size_t>(upper + 1));
            OldEntry e;
            for (auto& line : lines) {
                readOldEntry(e, where);
                if (isAccountNumber(e.DebitAccount)) {
                    line.Side = Debit;
                    line.AccountNumber = e.DebitAccount;
                } else if (isAccountNumber(e.CreditAccount)) {
                    line.Side = Credit;
                    line.AccountNumber = e.CreditAccount;
                }
                line.Details = oldNote(e.Details);
            }
            // A single record is the old form of an untouched group.
            if (lines.size() > 1) book.EntryGroups[g] = std::move(lines);
        }
    }

    // --- journal ---

    void step(std::int64_t i) {
        if (run_ && i % run_->ProgressStride == 0) Tmain::StepProgress(*run_);
    }

    void readJournal(Book& book, std::int32_t lastEntryLine) {
        const auto count = static_cast<std::size_t>(static_cast<std::int64_t>(lastEntryLine) + 1);
        r_.requireRoom(count, ReferenceBytes + EntryLineMinBytes, "journal lines");
        book.resizeJournal(count);
        const std::string where = "the journal";
        for (std::size_t i = 0; i < count; ++i) {
            EntryId& id = book.EntryIds[i];
            r_.copy(id.bytes.data(), ReferenceBytes);
            toUtf8InPlace(id, codePage_);
            EntryLine& line = book.EntryLines[i];
            readEntryLine(line, where);
            toUtf8InPlace(line.Details, codePage_);
            step(static_cast<std::int64_t>(i));
        }
    }

    // Each old record is one entry of a debit and a credit line; a record with
    // only one account gives one line, which then carries the note.
    void readOldJournal(Book& book, std::int32_t records) {
        const auto count = static_cast<std::size_t>(static_cast<std::int64_t>(records) + 1);
        r_.requireRoom(count, ReferenceBytes + OldEntryMinBytes, "old journal records");
        std::vector<EntryLine> lines;
        std::vector<EntryId> ids;
        lines.reserve(2 * count);
        ids.reserve(2 * count);
        OldEntry e;
        EntryId id;
        const std::string where = "the journal";
        // One line of the record, with its date and reconciled mark.
        auto add = [&](std::uint8_t side, Currency account, Currency amount,
                       const std::string& details) {
            EntryLine line;
            line.Date = e.Date;
            line.Side = side;
            line.AccountNumber = account;
            line.Amount = amount;
            line.Reconciled = e.Reconciled;
            line.Details = details;
            lines.push_back(std::move(line));
            ids.push_back(id);
        };
        for (std::size_t i = 0; i < count; ++i) {
            r_.copy(id.bytes.data(), ReferenceBytes);
            toUtf8InPlace(id, codePage_);
            readOldEntry(e, where);
            std::string note = oldNote(e.Details);
            toUtf8InPlace(note, codePage_);
            if (note.empty()) note = "_";
            const bool credit = isAccountNumber(e.CreditAccount);
            if (isAccountNumber(e.DebitAccount))
                add(Debit, e.DebitAccount, e.DebitAmount, credit ? std::string() : note);
            if (credit) add(Credit, e.CreditAccount, e.CreditAmount, note);
            step(static_cast<std::int64_t>(i));
        }
        lines.shrink_to_fit();
        ids.shrink_to_fit();
        book.EntryLines = std::move(lines);
        book.EntryIds = std::move(ids);
    }

    ByteReader& r_;
    const PasswordPrompt& askPassword_;
    RunTimeState* run_;
    int codePage_ = 1252;
    std::string rawPassword_;
};

BookReadResult parseWith(ByteReader& reader, const PasswordPrompt& askPassword, RunTimeState* run) {
    try {
        BookParser parser(reader, askPassword, run);
        return parser.parse();
    } catch (const std::bad_alloc&) {
        BookReadResult result;
        result.status = BookReadStatus::FileError;
        result.error = std::make_error_code(std::errc::not_enough_memory);
        return result;
    } catch (const std::system_error& e) {
        BookReadResult result;
        result.status = BookReadStatus::FileError;
        result.error = e.code();
        return result;
    }
}

// The bytes of an open file up to the size it had when it was opened, their
// digest taken as they are read.
class FileSource : public ByteSource {
  public:
    FileSource(int fd, std::uint64_t size) : fd_(fd), left_(size) {}
    std::size_t read(char* buffer, std::size_t size) override {
        if (size > left_) size = static_cast<std::size_t>(left_);
        for (;;) {
            const ssize_t n = size == 0 ? 0 : ::read(fd_, buffer, size);
            if (n >= 0) {
                digest_.add({buffer, static_cast<std::size_t>(n)});
                left_ -= static_cast<std::uint64_t>(n);
                return static_cast<std::size_t>(n);
            }
            if (errno != EINTR) throw std::system_error(fileErrorFor(errno, FileUse::Read));
        }
    }
    // The digest of the whole file: what the parse left unread is read too.
    std::optional<std::uint64_t> digest() {
        try {
            char rest[1 << 16];
            while (read(rest, sizeof rest) > 0) {
            }
        } catch (const std::system_error&) {
            return std::nullopt;
        }
        return left_ == 0 ? std::optional<std::uint64_t>(digest_.value()) : std::nullopt;
    }

  private:
    int fd_;
    std::uint64_t left_;
    ByteDigest digest_;
};

// --- the writer ---

std::string tooLong(const std::string& field, std::size_t bytes) {
    return "The book was not saved: " + field + " is " + std::to_string(bytes) +
           " bytes long, and a text in the book file holds at most 65535 bytes.";
}

std::string slotName(const Book& book, std::size_t i) {
    std::string s = "account slot " + std::to_string(i);
    if (i < book.AccountNames.size() && !book.AccountNames[i].empty() &&
        book.AccountNames[i].size() <= 80)
        s += " (" + book.AccountNames[i] + ")";
    return s;
}

// Why the book cannot be written, or "" when it can.
std::string refusalFor(const Book& book) {
    std::string why;
    // True (and `why` set) when the text cannot be stored; `field` names it.
    auto tooLongText = [&why](const std::string& text, auto&& field) {
        if (text.size() <= MaxTextBytes) return false;
        why = tooLong(field(), text.size());
        return true;
    };
    auto fixed = [](const char* name) { return [name] { return std::string(name); }; };

    if (tooLongText("m" + book.Caption, fixed("the window caption"))) return why;
    if (tooLongText(book.BusinessName.str(), fixed("the business name"))) return why;
    if (password_scramble::scramble(book.FilePassword.str()).size() > MaxTextBytes)
        return "The book was not saved: the file password is too long to be stored (" +
               std::to_string(book.FilePassword.str().size()) + " bytes).";
    if (book.EntryLines.size() > static_cast<std::size_t>(INT32_MAX))
        return "The book was not saved: the journal has too many lines for the book file.";
    if (book.EntryAccountList.size() > 32768)
        return "The book was not saved: the account list has more than 32768 items.";
    for (std::size_t i = 0; i < book.EntryAccountList.size(); ++i)
        if (tooLongText(book.EntryAccountList[i].str(),
                        [i] { return "item " + std::to_string(i + 1) + " of the account list"; }))
            return why;
    if (book.LastAccount < 0)
        return "The book was not saved: the account table's highest slot is negative.";
    const std::pair<const std::vector<std::string>*, const char*> accountTexts[] = {
        {&book.AccountNames, "the name of "},
        {&book.AccountNote, "the note of "},
        {&book.AccountNote2, "the second note of "},
        {&book.AccountExtra, "the extra text of "}};
    for (const auto& texts : accountTexts) {
        const std::string label = texts.second;
        for (std::size_t i = 0; i < texts.first->size(); ++i)
            if (tooLongText((*texts.first)[i], [&] { return label + slotName(book, i); }))
                return why;
    }
    for (int g = 0; g < GroupTotal; ++g) {
        const auto& group = book.EntryGroups[g];
        if (group.size() > static_cast<std::size_t>(INT32_MAX))
            return "The book was not saved: entry group " + std::to_string(g + 1) +
                   " has too many lines.";
        for (std::size_t j = 0; j < group.size(); ++j)
            if (tooLongText(group[j].Details, [g, j] {
                    return "the note of line " + std::to_string(j + 1) + " of entry group " +
                           std::to_string(g + 1);
                }))
                return why;
    }
    if (tooLongText(book.FontName.str(), fixed("the font name"))) return why;
    if (tooLongText(book.AdminPassword.str(), fixed("the administrator password"))) return why;
    if (tooLongText(book.BusinessAddress.str(), fixed("the business address"))) return why;
    for (std::size_t i = 0; i < book.EntryLines.size(); ++i)
        if (tooLongText(book.EntryLines[i].Details, [&book, i] {
                std::string s = "the note of journal line " + std::to_string(i + 1);
                if (i < book.EntryIds.size())
                    s += " (reference \"" + book.EntryIds[i].shown() + "\")";
                return s;
            }))
            return why;
    return {};
}

class BookWriter {
  public:
    BookWriter(ByteWriter& w, RunTimeState* run) : w_(w), run_(run) {}

    void write(const Book& book) {
        variant(VariantText("m" + book.Caption));
        variant(book.BusinessName);
        if (book.FilePassword.isEmpty())
            variant(VariantText());
        else
            variant(VariantText(password_scramble::scramble(book.FilePassword.str())));
        const auto lastEntryLine = static_cast<std::int32_t>(book.EntryLines.size()) - 1;
        w_.i32(lastEntryLine);
        w_.i16(book.DecimalsJournal);
        w_.i16(book.DecimalsLedger);
        w_.i16(book.DecimalsTrialBalance);
        w_.i16(book.DecimalsIncome);
        w_.i16(book.DecimalsBalanceSheet);

        w_.i16(static_cast<std::int16_t>(static_cast<int>(book.EntryAccountList.size()) - 1));
        for (const auto& item : book.EntryAccountList)
            variant(item);

        w_.i16(book.LastAccount);
        w_.i16(book.DateStyle);
        const std::size_t slots =
            static_cast<std::size_t>(std::max<int>(book.LastAccount, MinAccountSlots - 1) + 1);
        for (std::size_t i = 0; i < slots; ++i)
            w_.i64(i < book.AccountNumbers.size() ? book.AccountNumbers[i].raw : 0);
        textArray(book.AccountNames, slots);
        for (std::size_t i = 0; i < slots; ++i)
            w_.u8(i < book.AccountTypes.size() ? book.AccountTypes[i] : 0);
        textArray(book.AccountNote, slots);
        textArray(book.AccountNote2, slots);
        textArray(book.AccountExtra, slots);
        for (const auto& name : book.GroupNames)
            w_.bytes(std::string_view(name.bytes.data(), GroupNameBytes));

        w_.i64(VersionSeven);
        w_.i32(book.GroupCount);
        for (const auto& group : book.EntryGroups) {
            w_.i32(static_cast<std::int32_t>(group.size()) - 1);
            for (const auto& line : group)
                entryLine(line);
        }

        w_.i16(book.AutoIncrement);
        variant(book.FontName);
        w_.i16(book.ReservedInteger);
        w_.i16(book.FontCharset);
        variant(book.AdminPassword);
        w_.i16(book.SubAccountDash);
        variant(book.BusinessAddress);
        w_.i32(book.ReservedLong);

        if (run_) run_->ProgressStride = progressStrideFor(lastEntryLine);
        static const EntryId neverAssigned;
        for (std::size_t i = 0; i < book.EntryLines.size(); ++i) {
            const EntryId& id = i < book.EntryIds.size() ? book.EntryIds[i] : neverAssigned;
            w_.bytes(std::string_view(id.bytes.data(), ReferenceBytes));
            entryLine(book.EntryLines[i]);
            if (run_ && i % static_cast<std::size_t>(run_->ProgressStride) == 0)
                Tmain::StepProgress(*run_);
            w_.maybeFlush();
        }
        w_.finish();
    }

  private:
    void text(const std::string& s) {
        w_.u16(static_cast<std::uint16_t>(s.size()));
        w_.bytes(s);
    }
    void variant(const VariantText& v) {
        if (v.isEmpty()) {
            w_.i16(TagEmpty);
            return;
        }
        w_.i16(TagText);
        text(v.str());
    }
    void textArray(const std::vector<std::string>& texts, std::size_t slots) {
        static const std::string blank;
        for (std::size_t i = 0; i < slots; ++i)
            text(i < texts.size() ? texts[i] : blank);
    }
    void entryLine(const EntryLine& line) {
        w_.f64(line.Date);
        w_.u8(line.Side);
        w_.i64(line.AccountNumber.raw);
        w_.i64(line.Amount.raw);
        text(line.Details);
        w_.u8(line.Reconciled);
    }

    ByteWriter& w_;
    RunTimeState* run_;
};

} // namespace

BookReadResult parseBookFile(std::string_view bytes, const PasswordPrompt& askPassword,
                             RunTimeState* run) {
    ByteReader reader(bytes);
    return parseWith(reader, askPassword, run);
}

BookReadResult readBookFile(const std::filesystem::path& path, const PasswordPrompt& askPassword,
                            RunTimeState* run) {
    BookReadResult failed;
    failed.status = BookReadStatus::FileError;
    const FileDescriptor file(openForReading(path));
    if (!file.opened()) {
        failed.error = fileErrorFor(errno, FileUse::Read);
        return failed;
    }
    std::uint64_t size = 0;
    if ((failed.error = checkReadableFile(file.get(), size))) return failed;
    // The file is read in windows: the whole of a large book never has to
    // sit in memory beside the book made of it.
    FileSource source(file.get(), size);
    ByteReader reader(source, size);
    BookReadResult result = parseWith(reader, askPassword, run);
    // Stamped from the bytes read: the file is not read a second time for it.
    if (result.ok())
        if (const std::optional<std::uint64_t> digest = source.digest())
            result.read = fileStampOf(file.get(), *digest);
    return result;
}

std::optional<std::string> serializeBookFile(const Book& book, RunTimeState* run,
                                             std::string* refusal) {
    std::string why = refusalFor(book);
    if (!why.empty()) {
        if (refusal) *refusal = why;
        return std::nullopt;
    }
    std::string out;
    ByteWriter w(out);
    BookWriter(w, run).write(book);
    return out;
}

BookWriteResult writeBookFile(const std::filesystem::path& path, const Book& book,
                              RunTimeState* run) {
    BookWriteResult result;
    result.message = refusalFor(book);
    if (!result.message.empty()) return result;
    // Through a link, to where it points.
    result.error = writeBookFormSafely(
        path, [&](ByteWriter& out) { BookWriter(out, run).write(book); }, &result.written);
    return result;
}
