#include "book/mail_draft.h"

#include "book/safe_file.h"
#include "book/tmain.h"

#include "platform/fake/fake_services.h"
#include "support/test_paths.h"

#include <fcntl.h>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

using testing_support::readFile;
using testing_support::runCommand;
using testing_support::systemPython;
using testing_support::TempDir;
using testing_support::writeFile;

namespace fs = std::filesystem;

namespace {

// Parses a draft with Python's email package as a mail program would; writes
// the decoded body to a file of its own and prints the rest.
const char* ParseScript = R"(
import sys, email
from email import policy
m = email.message_from_bytes(open(sys.argv[1], 'rb').read(), policy=policy.default)
print("keys " + ascii(list(m.keys())))
print("unsent " + ascii(str(m['X-Unsent'])))
print("type %s %s" % (m.get_content_type(), m.get_content_charset()))
print("subject " + ascii(str(m['Subject'])))
print("producer " + ascii(str(m['X-MimeOLE'])))
open(sys.argv[2], 'wb').write(m.get_content().encode('utf-8'))
open(sys.argv[2] + '.subject', 'wb').write(str(m['Subject']).encode('utf-8'))
)";

struct Parsed {
    std::string summary, body, subject;
};

Parsed parse(const TempDir& scratch, const fs::path& draft) {
    writeFile(scratch / "parse.py", ParseScript);
    Parsed p;
    int status = runCommand(systemPython() + " " + (scratch / "parse.py").string() + " '" +
                                draft.string() + "' " + (scratch / "body").string() + " 2>&1",
                            &p.summary);
    EXPECT_EQ(status, 0) << p.summary;
    p.body = readFile(scratch / "body");
    p.subject = readFile(scratch / "body.subject");
    return p;
}

fs::path privateFolder(const fs::path& temporary) {
    return temporary / ("lw-mail-" + std::to_string(::geteuid()));
}

// Drafts go under a temporary folder of each test's own.
class MailDraft : public ::testing::Test {
  protected:
    MailDraft() { fakes.environment.vars["tmp"] = dir.path().string(); }
    ScopedFakeServices fakes;
    TempDir dir;
};

} // namespace

TEST_F(MailDraft, IsAnUnsentHtmlMessageAMailProgramReads) {
    const std::string html("<html>\r\n<body>Total \xE2\x82\xAC 5\0</body>\r\n</html>", 42);
    const std::string subject = "Caf\xC3\xA9 Ltd\r\nBcc: someone@example.com, Invoice (7)";

    auto path = Tmain::OpenMailDraft("Invoice", html, subject, "Books \xE2\x80\x93 2024");
    ASSERT_TRUE(path);
    EXPECT_EQ(*path, privateFolder(dir.path()) / "Invoice0.eml");
    ASSERT_EQ(fakes.shell.opened.size(), 1u);
    EXPECT_EQ(fakes.shell.opened[0], path->string());
    EXPECT_TRUE(fakes.messages.shown.empty());

    TempDir scratch;
    Parsed p = parse(scratch, *path);
    EXPECT_EQ(p.summary,
              "keys ['Reply-To', 'To', 'From', 'Subject', 'Date', 'X-Mailer', 'MIME-Version', "
              "'X-Unsent', 'X-MimeOLE', 'Content-Type', "
              "'Content-Transfer-Encoding']\n"
              "unsent '1'\n"
              "type text/html utf-8\n"
              "subject 'Caf\\xe9 LtdBcc: someone@example.com, Invoice (7)'\n"
              "producer 'Produced By Books \\u2013 2024'\n");
    // Every line ends in CR LF, the HTML's last one too.
    EXPECT_EQ(p.body, "<html>\r\n<body>Total \xE2\x82\xAC 5</body>\r\n</html>\r\n");

    const std::string raw = readFile(*path);
    EXPECT_EQ(raw.substr(0, 40), "Reply-To: \r\nTo: \r\nFrom: \r\nSubject: =?utf");
    EXPECT_EQ(raw.find('\0'), std::string::npos);

    struct stat st {};
    ASSERT_EQ(::stat(privateFolder(dir.path()).c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat(path->c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    // A long subject outside ASCII is split into several encoded words and
    // still reads back whole; a plain one is written as it is.
    std::string longSubject;
    for (int i = 0; i < 90; ++i)
        longSubject += "\xC3\xA9\xE2\x82\xAC";
    path = Tmain::OpenMailDraft("Invoice", "<p/>", longSubject, "Books");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->filename(), "Invoice1.eml");
    p = parse(scratch, *path);
    std::string expected = "subject '";
    for (int i = 0; i < 90; ++i)
        expected += "\\xe9\\u20ac";
    EXPECT_NE(p.summary.find(expected + "'\n"), std::string::npos) << p.summary;
    path = Tmain::OpenMailDraft("TrialBalance", "<p/>", "Acme, Trial Balance", "Books");
    ASSERT_TRUE(path);
    EXPECT_NE(readFile(*path).find("\r\nSubject: Acme, Trial Balance\r\n"), std::string::npos);
}

// A page as the running balance of 1,420 rows writes it, all on one line, and
// pages with the bytes quoted-printable must escape or break with care: every
// line of the draft stays within 76 characters and the mail program reads
// back the very page and subject.
TEST_F(MailDraft, EveryLineFitsAndThePageReadsBackWhole) {
    TempDir scratch;
    std::string ledger =
        "<html><body><font size=\"2\" face=\"Arial\"><table style=\"border:none\">";
    for (int r = 0; r < 1420; ++r)
        ledger += "<tr><td>" + std::to_string(r % 28 + 1) + "/02/2026</td><td>" +
                  std::to_string(1000 + r) +
                  "</td><td>Caf\xC3\xA9 \xC3\x89T\xC3\x89 \xE2\x82\xAC Sales</td><td "
                  "align=\"right\">1,234.50</td><td align=\"right\"></td><td "
                  "align=\"right\">99,876.25 Dr</td></tr>";
    ledger += "</table></font></center></html></body>";
    ASSERT_GT(ledger.size(), 224000u);
    std::string word(300, 'w'); // no place to break but anywhere
    std::string awkward = "a=b \t\r\nblank before the break \r\ntab\t\r\nbare\nline\rfeeds ";
    awkward += word + "=" + word + "\xE2\x82\xAC" + std::string(73, 'x') + "\xC3\xA9=";
    for (int i = 0; i < 80; ++i)
        awkward += std::string(i % 7, ' ') + "<b>" + std::string(i, '=') + "</b>";
    awkward += "\r\n\r\n   ";
    const std::string longAscii(150, 'S');
    std::string longOther;
    for (int i = 0; i < 40; ++i)
        longOther += "Caf\xC3\xA9 ";
    std::string awkwardMany; // past several of the blocks a written page is encoded in
    while (awkwardMany.size() < 200000)
        awkwardMany += awkward;
    const struct {
        std::string html, subject;
    } cases[] = {
        {ledger, "Corner Shop, Sales, 01/02/2026 to 28/02/2026"},
        {awkward, longAscii},
        {awkwardMany, "many"},
        {"<p>x</p>", longOther},
        {"", "s"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.subject);
        const std::string caption = "Ledgerwick - " + std::string(80, 'c');
        const auto path = Tmain::OpenMailDraft("AccountLedger", c.html, c.subject, caption);
        ASSERT_TRUE(path);
        const std::string raw = readFile(*path);
        // Written a few bytes at a time, as a large report writes its page:
        // the same draft, whatever falls at the edges of what is encoded.
        const auto streamed = Tmain::OpenMailDraft(
            "AccountLedger",
            [&](ByteWriter& page) {
                for (std::size_t at = 0, n = 1; at < c.html.size(); at += n, n = n % 7 + 1)
                    page.bytes(std::string_view(c.html).substr(at, n));
            },
            c.subject, caption);
        ASSERT_TRUE(streamed);
        EXPECT_EQ(readFile(*streamed), raw);
        std::size_t start = 0, longest = 0;
        while (start < raw.size()) {
            const std::size_t end = raw.find("\r\n", start);
            ASSERT_NE(end, std::string::npos) << "the draft ends in CR LF";
            const std::string line = raw.substr(start, end - start);
            EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
            longest = std::max(longest, line.size());
            start = end + 2;
        }
        EXPECT_LE(longest, 76u);
        EXPECT_NE(raw.find("\r\nContent-Transfer-Encoding: quoted-printable\r\n"),
                  std::string::npos);
        const Parsed p = parse(scratch, *path);
        EXPECT_EQ(p.body, c.html + "\r\n");
        EXPECT_EQ(p.subject, c.subject);
    }
}

TEST_F(MailDraft, OldDraftsGoAndANameIsAlwaysFound) {
    ASSERT_TRUE(Tmain::OpenMailDraft("Invoice", "<p/>", "s", "c"));
    const fs::path folder = privateFolder(dir.path());
    // A thousand drafts of one name, two days old, and one other file.
    auto age = [](const fs::path& p, time_t seconds) {
        const timespec times[2] = {{::time(nullptr) - seconds, 0}, {::time(nullptr) - seconds, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, p.c_str(), times, 0), 0);
    };
    for (int n = 0; n < 1000; ++n) {
        writeFile(folder / ("Invoice" + std::to_string(n) + ".eml"), "old");
        age(folder / ("Invoice" + std::to_string(n) + ".eml"), 2 * 86400);
    }
    writeFile(folder / "notes.txt", "mine");
    age(folder / "notes.txt", 2 * 86400);
    auto path = Tmain::OpenMailDraft("Invoice", "<p/>", "s", "c");
    ASSERT_TRUE(path) << fakes.messages.lastText();
    EXPECT_EQ(path->filename(), "Invoice0.eml");
    EXPECT_NE(readFile(*path), "old");
    EXPECT_FALSE(fs::exists(folder / "Invoice999.eml"));
    EXPECT_TRUE(fs::exists(folder / "notes.txt"));

    // A thousand drafts of today, maybe still open in the mail program: none
    // is overwritten, and the new one still finds a name.
    for (int n = 1; n < 1000; ++n)
        writeFile(folder / ("Invoice" + std::to_string(n) + ".eml"), "fresh");
    path = Tmain::OpenMailDraft("Invoice", "<p/>", "s", "c");
    ASSERT_TRUE(path) << fakes.messages.lastText();
    EXPECT_TRUE(fakes.messages.shown.empty());
    EXPECT_EQ(path->parent_path(), folder);
    EXPECT_EQ(path->extension(), ".eml");
    EXPECT_NE(readFile(*path), "fresh");
    EXPECT_EQ(readFile(folder / "Invoice999.eml"), "fresh");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1002);
}

TEST_F(MailDraft, TakesTheTemporaryFolderFromTheEnvironment) {
    TempDir temp, tmpdir;
    fakes.environment.vars["tmp"] = "";
    fakes.environment.vars["temp"] = temp.path().string();
    fakes.environment.vars["TMPDIR"] = tmpdir.path().string();
    auto path = Tmain::OpenMailDraft("BalanceSheet", "<p/>", "s", "c");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->parent_path(), privateFolder(temp.path()));

    fakes.environment.vars.erase("temp");
    path = Tmain::OpenMailDraft("BalanceSheet", "<p/>", "s", "c");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->parent_path(), privateFolder(tmpdir.path()));

    fakes.environment.vars["tmp"] = dir.path().string();
    path = Tmain::OpenMailDraft("BalanceSheet", "<p/>", "s", "c");
    ASSERT_TRUE(path);
    EXPECT_EQ(path->parent_path(), privateFolder(dir.path()));

    fakes.environment.vars.clear();
    EXPECT_EQ(Tmain::mailTemporaryFolder(), fs::temp_directory_path());
}

TEST_F(MailDraft, FollowsNoPlantedLink) {
    TempDir elsewhere;
    writeFile(elsewhere / "victim", "keep me");

    // A link, a folder and a link to itself at the draft's first names: each
    // is passed over as it stands, and the draft takes the next name.
    const fs::path folder = privateFolder(dir.path());
    fs::create_directory(folder);
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace);
    fs::create_symlink(elsewhere / "victim", folder / "Invoice0.eml");
    fs::create_directory(folder / "Invoice1.eml");
    fs::create_symlink("Invoice2.eml", folder / "Invoice2.eml");
    auto path = Tmain::OpenMailDraft("Invoice", "<p>x</p>", "s", "c");
    ASSERT_TRUE(path) << fakes.messages.lastText();
    EXPECT_EQ(path->filename(), "Invoice3.eml");
    EXPECT_EQ(readFile(elsewhere / "victim"), "keep me");
    EXPECT_TRUE(fs::is_symlink(folder / "Invoice0.eml"));
    EXPECT_TRUE(fs::is_directory(folder / "Invoice1.eml"));
    EXPECT_TRUE(fs::is_symlink(folder / "Invoice2.eml"));

    // Links in the private folder's path: refused, nothing opened, nothing
    // written where they lead; a loop is named as one.
    const std::string notOurs = " is a symbolic link, not the folder for mail drafts";
    const std::string loop = ": a symbolic link on its way leads back to itself";
    // Links planted in a fresh temporary folder: name there, target.
    const std::string mine = privateFolder("").filename().string();
    const struct {
        const char* what;
        std::vector<std::pair<std::string, std::string>> links;
        const char* temporary; // below the folder the links are in
        std::string message;
    } cases[] = {
        {"a link to another folder in place of the private folder",
         {{mine, elsewhere.path().string()}},
         "",
         notOurs},
        {"a private folder that is a link to itself", {{mine, mine}}, "", loop},
        {"two links to each other in place of the private folder",
         {{mine, "other"}, {"other", mine}},
         "",
         loop},
        {"a temporary folder under a link to itself", {{"loop", "loop"}}, "loop/temp", loop},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir other;
        for (const auto& [name, target] : c.links)
            fs::create_symlink(target, other / name);
        fakes.environment.vars["tmp"] = (other / c.temporary).string();
        fakes.shell.opened.clear();
        fakes.messages.shown.clear();
        EXPECT_FALSE(Tmain::OpenMailDraft("Invoice", "<p>x</p>", "s", "c"));
        EXPECT_TRUE(fakes.shell.opened.empty());
        ASSERT_EQ(fakes.messages.shown.size(), 1u);
        EXPECT_NE(fakes.messages.lastText().find((other / c.temporary / mine).string() + c.message),
                  std::string::npos)
            << fakes.messages.lastText();
        EXPECT_EQ(std::distance(fs::directory_iterator(elsewhere.path()), fs::directory_iterator()),
                  1);
    }
    EXPECT_NE(loop, notOurs);
}

TEST_F(MailDraft, PrivateFolderMustBeTheUsersOwn) {
    const fs::path folder = privateFolder(dir.path());
    fs::create_directory(folder);

    // Ours but open to others: closed again before use.
    fs::permissions(folder, fs::perms::all, fs::perm_options::replace);
    ASSERT_TRUE(Tmain::OpenMailDraft("Invoice", "<p/>", "s", "c"));
    struct stat st {};
    ASSERT_EQ(::stat(folder.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);

    // Someone else's folder of that name is not used.
    if (::chown(folder.c_str(), ::geteuid() + 1, static_cast<gid_t>(-1)) != 0)
        GTEST_SKIP() << "cannot give the folder away without privileges";
    fakes.shell.opened.clear();
    EXPECT_FALSE(Tmain::OpenMailDraft("Invoice", "<p/>", "s", "c"));
    EXPECT_TRUE(fakes.shell.opened.empty());
    EXPECT_EQ(fakes.messages.shown.size(), 1u);
}

TEST_F(MailDraft, FailuresAreShownAndNothingIsOpened) {
    // The temporary folder is not a folder at all.
    writeFile(dir / "file", "x");
    fakes.environment.vars["tmp"] = (dir / "file").string();
    EXPECT_FALSE(Tmain::OpenMailDraft("Invoice", "<p/>", "s", "c"));
    EXPECT_TRUE(fakes.shell.opened.empty());
    ASSERT_EQ(fakes.messages.shown.size(), 1u);
    EXPECT_NE(fakes.messages.lastText().find(privateFolder(dir / "file").string()),
              std::string::npos);

    // A write that fails (the file-size limit stands in for a full disk), and
    // a page of 200 blocks that stops at it: shown, nothing opened, no draft.
    const auto openFiles = [] {
        return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator());
    };
    const auto filesBefore = openFiles();
    int made = 0;
    const Tmain::MailPage page = [&made](ByteWriter& out) {
        for (made = 0; made < 200; ++made) {
            if (made == 100) throw std::runtime_error("the page failed");
            out.bytes(std::string(1 << 16, 'x'));
        }
    };
    fakes.environment.vars["tmp"] = dir.path().string();
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    auto failed = Tmain::OpenMailDraft("Invoice", std::string(1000, 'x'), "s", "c");
    auto pageFailed = Tmain::OpenMailDraft("Invoice", page, "s", "c");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(failed);
    EXPECT_FALSE(pageFailed);
    EXPECT_LT(made, 50);
    EXPECT_TRUE(fakes.shell.opened.empty());
    EXPECT_EQ(fakes.messages.shown.size(), 3u);
    EXPECT_NE(fakes.messages.lastText().find((privateFolder(dir.path()) / "Invoice").string()),
              std::string::npos);
    EXPECT_THROW(Tmain::OpenMailDraft("Invoice", page, "s", "c"), std::runtime_error);
    EXPECT_EQ(made, 100);
    EXPECT_TRUE(fs::is_empty(privateFolder(dir.path())));
    EXPECT_EQ(openFiles(), filesBefore);
    fakes.messages.shown.pop_back();

    // No program takes the message: the user is told where it is.
    fakes.shell.succeed = false;
    auto path = Tmain::OpenMailDraft("Invoice", "<p/>", "s", "c");
    ASSERT_TRUE(path);
    EXPECT_EQ(fakes.messages.shown.size(), 3u);
    EXPECT_EQ(fakes.messages.lastText(),
              "The mail program could not be started: the desktop's opener could not be run. The "
              "message was saved as " +
                  path->string() +
                  "; drafts there are removed after a day, so move it elsewhere to keep it.");
    // ... and, when the opener or the mail program it ran ends with a failure, how it ended.
    fakes.shell.succeed = true;
    path = Tmain::OpenMailDraft("Invoice", "<p/>", "s", "c");
    ASSERT_TRUE(path && fakes.shell.failedLater);
    fakes.shell.failedLater("exit status 1");
    EXPECT_TRUE(fakes.messages.lastText().starts_with(
        "The mail program, or the desktop's opener that starts it, ended with a failure (exit "
        "status 1). The message was saved as " +
        path->string()));
}
