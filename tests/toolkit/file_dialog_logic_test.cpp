#include "toolkit/file_dialog_logic.h"

#include "platform/fake/fake_services.h"
#include "resources/string_table.h"
#include "support/failing_allocations.h"
#include "support/test_paths.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

TEST(FileDialogLogic, ForbiddenNameCharacters) {
    for (char c : std::string("\"*/:<>?\\|"))
        EXPECT_TRUE(isForbiddenNameCharacter(c)) << c;
    for (char c : std::string("aZ09 .-_()&'#~"))
        EXPECT_FALSE(isForbiddenNameCharacter(c)) << c;

    EXPECT_TRUE(nameHasForbiddenCharacters("bo*ok.acc"));
    EXPECT_TRUE(nameHasForbiddenCharacters("book?.acc"));
    EXPECT_TRUE(nameHasForbiddenCharacters("*.acc")); // a pattern is not a file name
    EXPECT_TRUE(nameHasForbiddenCharacters("/home/me/a:b.acc"));
    EXPECT_FALSE(nameHasForbiddenCharacters("/home/me/book.acc"));   // a pasted path
    EXPECT_FALSE(nameHasForbiddenCharacters("odd:folder/book.acc")); // only the name part
    EXPECT_FALSE(nameHasForbiddenCharacters("Büro 2024.acc"));
}

TEST(FileDialogLogic, TypesCaptionsAndExtensionRewrite) {
    EXPECT_EQ(typeOfPattern("*.xls"), "xls");
    EXPECT_EQ(typeOfPattern("*.LWK"), "LWK");
    EXPECT_EQ(typeOfPattern("xls"), "xls");

    EXPECT_EQ(captionForType("acc"), strings::text(195));
    EXPECT_EQ(captionForType("csv"), strings::text(196));
    EXPECT_EQ(captionForType("xls"), strings::text(197));
    EXPECT_EQ(captionForType("txt"), strings::text(198));
    EXPECT_EQ(captionForType("LWK"), exportCaption());
    EXPECT_FALSE(captionForType("htm"));
    EXPECT_FALSE(captionForType("rtf"));
    EXPECT_EQ(strings::text(197), "Save Excel 2.1 As...");

    EXPECT_EQ(nameWithType("book.acc", "xls"), "book.xls");
    EXPECT_EQ(nameWithType("book", "xls"), "book.xls");
    EXPECT_EQ(nameWithType("my.book.v2.acc", "csv"), "my.book.v2.csv");
    EXPECT_EQ(nameWithType("/home/me/dir.v1/book", "txt"), "/home/me/dir.v1/book.txt");
    EXPECT_EQ(nameWithType("", "xls"), ""); // nothing typed: nothing to rename
}

TEST(FileDialogLogic, PatternMatching) {
    EXPECT_TRUE(matchesFilePattern("book.acc", "*.acc"));
    EXPECT_TRUE(matchesFilePattern("BOOK.ACC", "*.acc"));
    EXPECT_FALSE(matchesFilePattern("book.acc.bak", "*.acc"));
    EXPECT_FALSE(matchesFilePattern("book.xls", "*.acc"));
    EXPECT_TRUE(matchesFilePattern("a.acc", "?.acc"));
    EXPECT_FALSE(matchesFilePattern("ab.acc", "?.acc"));
    EXPECT_TRUE(matchesFilePattern("anything", "*"));
    EXPECT_TRUE(matchesFilePattern("x.csv", "*.acc; *.csv"));
    EXPECT_TRUE(matchesFilePattern("a*b", "a*b"));
    EXPECT_TRUE(matchesFilePattern("aXXbYYb", "a*b*b"));
    EXPECT_FALSE(matchesFilePattern("", "?"));
}

TEST(FileDialogLogic, FolderListingAndChain) {
    TempDir dir;
    writeFile(dir / "beta.acc", "x");
    writeFile(dir / "Alpha.acc", "x");
    writeFile(dir / "notes.txt", "x");
    writeFile(dir / ".hidden.acc", "x");
    fs::create_directory(dir / "zeta");
    fs::create_directory(dir / "Archive.acc"); // a folder is never listed as a file
    fs::create_directory(dir / ".cache");

    FolderContents c = listFolder(dir.path(), "*.acc");
    EXPECT_TRUE(c.readable);
    EXPECT_EQ(c.files, (std::vector<std::string>{".hidden.acc", "Alpha.acc", "beta.acc"}));
    EXPECT_EQ(c.subfolders, (std::vector<std::string>{"Archive.acc", "zeta"}));

    FolderContents missing = listFolder(dir / "no-such", "*");
    EXPECT_FALSE(missing.readable);
    EXPECT_TRUE(missing.files.empty());

    // Memory running short while reading reaches the caller, never half a listing.
    for (long n = 0; n == 0 || failing_allocations::failed; ++n) {
        failing_allocations::failed = false;
        failing_allocations::failIn = n;
        try {
            EXPECT_EQ(listFolder(dir.path(), "*.acc").files, c.files) << n;
        } catch (const std::bad_alloc&) {
        }
        failing_allocations::failIn = -1;
    }

    auto chain = folderChain("/home/me/books");
    EXPECT_EQ(chain, (std::vector<fs::path>{"/", "/home", "/home/me", "/home/me/books"}));
    EXPECT_EQ(folderChain("/"), (std::vector<fs::path>{"/"}));
}

TEST(FileDialogLogic, DrivesFromTheMountTable) {
    const std::string table = "sysfs /sys sysfs rw,nosuid 0 0\n"
                              "proc /proc proc rw 0 0\n"
                              "/dev/sda2 / ext4 rw,relatime 0 0\n"
                              "tmpfs /run tmpfs rw 0 0\n"
                              "/dev/sda1 /boot/efi vfat rw 0 0\n"
                              "/dev/sdb1 /media/me/USB\\040STICK vfat rw 0 0\n"
                              "/dev/loop3 /snap/core/123 squashfs ro 0 0\n"
                              "server:/export /mnt/share nfs4 rw 0 0\n"
                              "/dev/sdc1 /run/media/me/CARD exfat rw 0 0\n"
                              "/dev/sdb1 /media/me/USB\\040STICK vfat rw 0 0\n"
                              "overlay /var/lib/docker/overlay2/x/merged overlay rw 0 0\n"
                              "garbage\n";
    auto volumes = volumesFromMountTable(table);
    EXPECT_EQ(volumes, (std::vector<std::string>{"/", "/media/me/USB STICK", "/mnt/share",
                                                 "/run/media/me/CARD"}));
    EXPECT_EQ(volumesFromMountTable(""), (std::vector<std::string>{"/"}));
    EXPECT_EQ(mountedVolumes().front(), "/");

    EXPECT_EQ(volumeOf("/media/me/USB STICK/books", volumes), "/media/me/USB STICK");
    EXPECT_EQ(volumeOf("/media/me/USB STICKY", volumes), "/");
    EXPECT_EQ(volumeOf("/home/me", volumes), "/");
}

TEST(FileDialogLogic, ChosenPathIsAbsolute) {
    EXPECT_EQ(chosenPath("/home/me/books", "book.acc"), fs::path("/home/me/books/book.acc"));
    EXPECT_EQ(chosenPath("/home/me/books", "../old/book.acc"), fs::path("/home/me/old/book.acc"));
    EXPECT_EQ(chosenPath("/home/me/books", "/tmp/x.acc"), fs::path("/tmp/x.acc"));
    EXPECT_EQ(chosenPath("/home/me/books", "./a/./b.csv"), fs::path("/home/me/books/a/b.csv"));

    // Typed folders are gone to or the missing one named; an extension
    // chooses an offered type, and saving refuses any other.
    TempDir dir;
    fs::create_directory(dir / "sub");
    writeFile(dir / "plain", "x");
    const std::vector<std::string> offered = {"*.xls", "*.csv", "*.LWK"};
    auto read = [&](const std::string& typed, bool saving = true) {
        return readTypedName(dir.path(), typed, offered, saving);
    };
    const std::string full = (dir / "sub" / "tb1.XLS").string();
    EXPECT_EQ(read(full).path, fs::path(full));
    for (const auto& [typed, index] : std::vector<std::pair<std::string, int>>{
             {full, 0}, {"tbtab.csv", 1}, {"sub/set.lwk", 2}, {"sub/tb1", -1}})
        EXPECT_EQ(read(typed).typeIndex, index) << typed;
    EXPECT_TRUE(read("sub").folder);
    EXPECT_EQ(read("nosuch/x.xls").refusal,
              "There is no folder " + (dir / "nosuch").string() + ".");
    for (const std::string throughFile : {"plain/x.xls", "plain/deeper/x.xls"})
        EXPECT_EQ(read(throughFile).refusal,
                  (dir / "plain").string() + " is a file, not a folder.");
    EXPECT_EQ(read("tb.xls ").refusal,
              "\"tb.xls \" ends in a blank. Remove it, or type another name.");
    ScopedFakeServices fakes;
    fakes.environment.vars["HOME"] = (dir / "sub").string();
    EXPECT_TRUE(read("~").folder);
    EXPECT_EQ(read("~/t1.xls").path, dir / "sub" / "t1.xls");
    EXPECT_EQ(read("tb.pdf").unoffered,
              "\"tb.pdf\" ends in .pdf, which is not a type offered here (.xls, .csv, .LWK).");
    EXPECT_EQ(read("tb.pdf", false).unoffered, ""); // opening takes a file of any name
}

} // namespace
