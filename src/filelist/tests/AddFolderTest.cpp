#include "filelist/AddFolder.h"

#include "testsupport/TextFiles.h"

#include <QDir>

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace quillmere;
using quillmere::testing::TextFiles;

namespace {

// A tree in a temporary folder from entries such as "a.txt", "empty/" or "link->target".
struct Tree {
    explicit Tree(const QStringList& entries) {
        for (const QString& entry : entries) {
            if (const auto link = entry.split(QStringLiteral("->")); link.size() == 2) {
                std::filesystem::create_symlink(link[1].toStdString(), path(link[0]).toStdString());
            } else if (entry.endsWith(u'/')) {
                QDir().mkpath(path(entry));
            } else {
                files.write(entry, "x");
            }
        }
    }
    QString path(const QString& name) const { return files.dir().path() + u'/' + name; }
    QStringList paths(const QStringList& names) const {
        QStringList full;
        for (const QString& name : names) {
            full << path(name);
        }
        return full;
    }
    TextFiles files;
};

} // namespace

TEST(AddFolder, WalksLevelByLevelInNaturalOrder) {
    const struct {
        const char* what;
        QStringList entries;
        QStringList found;
    } cases[] = {
        {"hidden files are taken, tilde files left out",
         {"b.doc", "~t.txt", ".h.txt", "a.txt"},
         {".h.txt", "a.txt", "b.doc"}},
        {"each level in the order of the parents",
         {"S2/U/u.txt", "S2/s2.txt", "S1/T/t.txt", "S1/s1.txt", "S10/s10.txt", "r.txt"},
         {"r.txt", "S1/s1.txt", "S2/s2.txt", "S10/s10.txt", "S1/T/t.txt", "S2/U/u.txt"}},
        {"tilde folders are entered, hidden ones not",
         {".git/x.txt", ".git/deep/y.txt", "~old/o.txt", "~old/~o.txt", "empty/inner/"},
         {"~old/o.txt"}},
        {"links to files are taken, no linked folder entered",
         {"a.txt", "sub/s.txt", "loop->.", "sub/up->..", "l.txt->a.txt", "broken.txt->missing.txt"},
         {"a.txt", "l.txt", "sub/s.txt"}},
    };
    for (const auto& c : cases) {
        const Tree tree(c.entries);
        const FolderFiles found = WalkFolder(tree.path("/"), {});
        EXPECT_EQ(ShownPaths(found.files), tree.paths(c.found)) << c.what;
        EXPECT_TRUE(found.unreadable.isEmpty()) << c.what;
    }
}

TEST(AddFolder, ReportsFoldersThatCannotBeReadAndKeepsTheRest) {
    const Tree tree({"a.txt", "locked/inner/i.txt", "open/o.txt"});
    std::filesystem::permissions(tree.path("locked").toStdString(), std::filesystem::perms::none);
    // Gives the folder back, so that the temporary tree can be removed whatever the test did.
    const std::shared_ptr<void> unlock(nullptr, [&](void*) {
        std::filesystem::permissions(tree.path("locked").toStdString(), std::filesystem::perms::owner_all);
    });
    if (access(QFile::encodeName(tree.path("locked")).constData(), R_OK) == 0) {
        GTEST_SKIP() << "this user reads folders whatever their permissions (root)";
    }
    const FolderFiles found = WalkFolder(tree.path({}), {});
    EXPECT_EQ(ShownPaths(found.files), tree.paths({"a.txt", "open/o.txt"}));
    EXPECT_EQ(ShownPaths(found.unreadable), tree.paths({"locked/"}));
    EXPECT_EQ(ShownPaths(WalkFolder(tree.path("gone"), {}).unreadable), tree.paths({"gone/"}));
}

TEST(AddFolder, StopsWhenAsked) {
    const Tree tree({"a.txt"});
    std::stop_source stop;
    stop.request_stop();
    EXPECT_TRUE(WalkFolder(tree.path({}), stop.get_token()).files.isEmpty());
}
