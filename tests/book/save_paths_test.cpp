// The rules of Save and Save As: dialog or not, file name and form, and what
// the book's path, folder and changed mark become.
#include "book/save_paths.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    const char* what;
    SaveCommand command;
    std::string bookFilePath;
    std::optional<SaveDialogAnswer> answer;
    // expected
    bool dialog;
    bool cancelled;
    std::string target;
    std::string type;
    std::string bookFilePathAfter; // after a successful write
    std::string bookDirectoryAfter;
    bool changedAfter; // BookChanged after a successful write (it was true)
};

SaveDialogAnswer in(const std::string& folder, const std::string& name, const std::string& type) {
    return SaveDialogAnswer{name, folder, type};
}

} // namespace

TEST(SavePaths, TheTableOfSaveAndSaveAs) {
    const std::string book = "/books/shop.acc";
    const std::vector<Row> rows = {
        {"plain Save of a book with a path", SaveCommand::Save, book, std::nullopt, false, false,
         book, "acc", book, "/old/", false},
        {"plain Save ignores a stray dialog answer", SaveCommand::Save, book,
         in("/tmp", "x.txt", "txt"), false, false, book, "acc", book, "/old/", false},
        {"Save of a new book asks and writes .acc", SaveCommand::Save, "",
         in("/home/ann", "shop", "acc"), true, false, "/home/ann/shop.acc", "acc",
         "/home/ann/shop.acc", "/home/ann/", false},
        {"Save of a new book as text leaves it without a path", SaveCommand::Save, "",
         in("/home/ann", "shop", "txt"), true, false, "/home/ann/shop.txt", "txt", "", "/old/",
         true},
        {"Save As to .acc takes the new path", SaveCommand::SaveAs, book,
         in("/home/ann", "copy.acc", "acc"), true, false, "/home/ann/copy.acc", "acc",
         "/home/ann/copy.acc", "/home/ann/", false},
        {"Save As: the chosen form replaces a typed extension", SaveCommand::SaveAs, book,
         in("/home/ann", "books.dat", "csv"), true, false, "/home/ann/books.csv", "csv", book,
         "/old/", true},
        {"Save As spreadsheet is an export", SaveCommand::SaveAs, book,
         in("/home/ann", "journal", "xls"), true, false, "/home/ann/journal.xls", "xls", book,
         "/old/", true},
        {"Save As chart export keeps the book's path but takes the folder", SaveCommand::SaveAs,
         book, in("/home/ann/exports", "chart.acc", "LWK"), true, false,
         "/home/ann/exports/chart.LWK", "LWK", book, "/home/ann/exports/", true},
        {"Save As in the root folder has a single slash", SaveCommand::SaveAs, book,
         in("/", "name.acc", "acc"), true, false, "/name.acc", "acc", "/name.acc", "/", false},
        {"Save As with a name in a subfolder", SaveCommand::SaveAs, book,
         in("/home/ann", "2024/q1", "acc"), true, false, "/home/ann/2024/q1.acc", "acc",
         "/home/ann/2024/q1.acc", "/home/ann/2024/", false},
        {"Save As with an absolute name ignores the folder", SaveCommand::SaveAs, book,
         in("/home/ann", "/srv/books/a.b.acc", "acc"), true, false, "/srv/books/a.b.acc", "acc",
         "/srv/books/a.b.acc", "/srv/books/", false},
        {"a dot in a folder name is not an extension", SaveCommand::SaveAs, book,
         in("/home/ann.lee", "shop", "acc"), true, false, "/home/ann.lee/shop.acc", "acc",
         "/home/ann.lee/shop.acc", "/home/ann.lee/", false},
        {"Save As cancelled", SaveCommand::SaveAs, book, in("/home/ann", "", "acc"), true, true, "",
         "", book, "/old/", true},
        {"Save of a new book cancelled", SaveCommand::Save, "", std::nullopt, true, true, "", "",
         "", "/old/", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(saveShowsDialog(row.command, row.bookFilePath), row.dialog);
        SavePlan plan = planSave(row.command, row.bookFilePath, row.answer);
        EXPECT_EQ(plan.cancelled, row.cancelled);
        if (!row.cancelled) {
            EXPECT_EQ(plan.target.string(), row.target);
            EXPECT_EQ(plan.type, row.type);
            EXPECT_TRUE(plan.writes);
            EXPECT_EQ(plan.clearsChangedFlag, row.type == "acc");
            EXPECT_EQ(plan.setsBookFilePath, row.type == "acc");
        }

        RunTimeState run;
        run.BookFilePath = row.bookFilePath;
        run.BookDirectory = "/old/";
        run.CurrentFilePath = "/reports/trial.htm";
        run.SaveExtension = "htm";
        run.BookChanged = true;
        run.BookFileVersion = Currency::fromUnits(6);

        // A failed write changes none of the book's own state.
        finishSave(run, plan, false);
        EXPECT_EQ(run.BookFileVersion, Currency::fromUnits(6));
        EXPECT_EQ(run.BookFilePath, row.bookFilePath);
        EXPECT_EQ(run.BookDirectory, "/old/");
        EXPECT_TRUE(run.BookChanged);

        finishSave(run, plan, true);
        EXPECT_EQ(run.BookFilePath, row.bookFilePathAfter);
        EXPECT_EQ(run.BookDirectory, row.bookDirectoryAfter);
        EXPECT_EQ(run.BookChanged, row.changedAfter);
        // The book file written is of the version the writer writes.
        EXPECT_EQ(run.BookFileVersion, Currency::fromUnits(row.type == "acc" ? 7 : 6));
        EXPECT_EQ(run.CurrentFilePath, row.cancelled ? "/reports/trial.htm" : row.target);
    }
}

TEST(SavePaths, AFormNoWriterHandlesWritesNothing) {
    SavePlan plan = planSave(SaveCommand::SaveAs, "", SaveDialogAnswer{"x", "/tmp", "rtf"});
    EXPECT_FALSE(plan.cancelled);
    EXPECT_FALSE(plan.writes);
    RunTimeState run;
    run.BookChanged = true;
    finishSave(run, plan, true);
    EXPECT_TRUE(run.BookChanged);
    EXPECT_EQ(run.CurrentFilePath, "");
}

TEST(SavePaths, RelativeFoldersBecomeAbsolute) {
    SavePlan plan =
        planSave(SaveCommand::SaveAs, "", SaveDialogAnswer{"b.acc", "sub/../here", "acc"});
    EXPECT_TRUE(plan.target.is_absolute());
    EXPECT_EQ(plan.target, (std::filesystem::current_path() / "here" / "b.acc").lexically_normal());
    EXPECT_EQ(plan.bookDirectory.back(), '/');
    EXPECT_EQ(plan.baseName.filename(), "b");
}
