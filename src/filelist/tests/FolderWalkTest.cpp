#include "filelist/FolderWalk.h"

#include "testsupport/GTestQt.h"
#include "testsupport/TextFiles.h"

#include <QDir>
#include <QScopeGuard>

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace quillmere;
using namespace quillmere::filelist;

namespace {

// A temporary tree made from entries such as "a.txt", "empty/" or "link->target"; paths are given below it.
struct Tree {
    explicit Tree(const QStringList& entries) {
        for (const QString& entry : entries) {
            if (const auto link = entry.split(QStringLiteral("->")); link.size() == 2) {
                std::filesystem::create_symlink(link[1].toStdString(), (root + link[0]).toStdString());
            } else if (entry.endsWith(u'/')) {
                QDir().mkpath(root + entry);
            } else {
                files.write(entry, "x");
            }
        }
    }
    QStringList below(const QList<FilePath>& paths) const {
        return shownPaths(paths).replaceInStrings(root, QString());
    }

    quillmere::testing::TextFiles files;
    QString root = files.dir().path() + u'/';
};

} // namespace

TEST(FolderWalk, WalksLevelByLevelInNaturalOrder) {
    // What is made, then what the walk finds, as names below the folder walked.
    const std::pair<const char*, const char*> cases[] = {
        {"b.doc ~t.txt .h.txt a.txt", ".h.txt a.txt b.doc"},
        {"S2/U/u.txt S2/s2.txt S1/T/t.txt S1/s1.txt S10/s10.txt r.txt",
         "r.txt S1/s1.txt S2/s2.txt S10/s10.txt S1/T/t.txt S2/U/u.txt"},
        // Tilde folders are entered, hidden ones not.
        {".git/x.txt .git/deep/y.txt ~old/o.txt ~old/~o.txt empty/inner/", "~old/o.txt"},
        // Links to files are taken; no linked folder is entered.
        {"a.txt sub/s.txt loop->. sub/up->.. l.txt->a.txt broken.txt->missing.txt", "a.txt l.txt sub/s.txt"},
    };
    for (const auto& [made, found] : cases) {
        const Tree tree(QString::fromUtf8(made).split(u' '));
        // A folder named with a '/' too many gives its paths with one.
        const FolderFiles walked = walkFolder(tree.root + u'/', {});
        EXPECT_EQ(tree.below(walked.files), QString::fromUtf8(found).split(u' ')) << made;
        EXPECT_TRUE(walked.unreadable.isEmpty()) << made;
    }
}

// Paths as the window's list and the command take them: in their order, each folder replaced by its files; a missing
// path stays, to be refused when it is read, unless it is meant as a folder.
TEST(FolderWalk, ReportsFoldersThatCannotBeReadAndStopsWhenAsked) {
    const Tree tree(QStringList{"a.txt", "locked/inner/i.txt", "open/o.txt"});
    const FolderFiles given = expandFolders(
        filePaths({tree.root + "gone.txt", tree.root + "open", tree.root + "a.txt", tree.root + "gone/"}), {});
    EXPECT_EQ(std::pair(tree.below(given.files), tree.below(given.unreadable)),
              std::pair(QStringList({"gone.txt", "open/o.txt", "a.txt"}), QStringList{"gone/"}));
    std::stop_source stop;
    stop.request_stop();
    EXPECT_TRUE(walkFolder(tree.root, stop.get_token()).files.isEmpty());

    const std::string locked = QFile::encodeName(tree.root + "locked").toStdString();
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    // Gives the folder back, so that the temporary tree can be removed whatever the test did.
    const auto unlock = qScopeGuard([&] { std::filesystem::permissions(locked, std::filesystem::perms::owner_all); });
    if (access(locked.c_str(), R_OK) == 0) {
        GTEST_SKIP() << "this user reads folders whatever their permissions (root)";
    }
    const FolderFiles found = walkFolder(tree.root, {});
    EXPECT_EQ(tree.below(found.files), QStringList({"a.txt", "open/o.txt"}));
    EXPECT_EQ(tree.below(found.unreadable), QStringList{"locked/"});
}
