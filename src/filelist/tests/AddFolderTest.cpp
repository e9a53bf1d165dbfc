#include "filelist/AddFolder.h"

#include "testsupport/TextFiles.h"

#include <QDir>
#include <QFile>

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace quillmere;
using quillmere::testing::TextFiles;

namespace {

class AddFolderTest : public ::testing::Test {
protected:
    void file(const QString& name) { files_.write(name, "x"); }
    void folder(const QString& name) { QDir(root()).mkpath(name); }
    void link(const QString& name, const QString& target) {
        std::filesystem::create_symlink(target.toStdString(), (root() + name).toStdString());
    }
    // The temporary folder with one trailing '/', as the walk gives its paths.
    QString root() const { return files_.dir().path() + u'/'; }

    QList<FilePath> walk() const { return WalkFolder(files_.dir().path(), {}).files; }
    QList<FilePath> paths(const QStringList& names) const {
        QList<FilePath> full;
        for (const QString& name : names) {
            full << root() + name;
        }
        return full;
    }

private:
    TextFiles files_;
};

// Gives a folder its permissions back, so that the temporary tree can be removed whatever the test did.
class Locked {
public:
    explicit Locked(QString path)
        : path_(std::move(path)) {
        std::filesystem::permissions(path_.toStdString(), std::filesystem::perms::none);
    }
    ~Locked() { std::filesystem::permissions(path_.toStdString(), std::filesystem::perms::owner_all); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    QString path_;
};

} // namespace

TEST_F(AddFolderTest, TakesHiddenFilesAndLeavesOutTildeNames) {
    file("b.doc");
    file("~t.txt");
    file(".h.txt");
    file("a.txt");
    EXPECT_EQ(walk(), paths({".h.txt", "a.txt", "b.doc"}));
}

TEST_F(AddFolderTest, ListsLevelByLevelInTheOrderOfTheParents) {
    file("S2/U/u.txt");
    file("S2/s2.txt");
    file("S1/T/t.txt");
    file("S1/s1.txt");
    file("S10/s10.txt");
    file("r.txt");
    EXPECT_EQ(walk(), paths({"r.txt", "S1/s1.txt", "S2/s2.txt", "S10/s10.txt", "S1/T/t.txt", "S2/U/u.txt"}));
}

TEST_F(AddFolderTest, EntersTildeFoldersButNeitherHiddenNorEmptyOnesAddAnything) {
    file(".git/x.txt");
    file(".git/deep/y.txt");
    file("~old/o.txt");
    file("~old/~o.txt");
    folder("empty/inner");
    EXPECT_EQ(walk(), paths({"~old/o.txt"}));

    const TextFiles nothing;
    EXPECT_TRUE(WalkFolder(nothing.dir().path(), {}).files.isEmpty());
}

TEST_F(AddFolderTest, TakesLinksToFilesAndEntersNoLinkedFolder) {
    file("a.txt");
    file("sub/s.txt");
    link("loop", ".");
    link("sub/up", "..");
    link("l.txt", "a.txt");
    link("broken.txt", "missing.txt");
    EXPECT_EQ(walk(), paths({"a.txt", "l.txt", "sub/s.txt"}));
}

TEST_F(AddFolderTest, JoinsNamesWithExactlyOneSeparator) {
    EXPECT_EQ(AsFolderPath("/"), "/");
    EXPECT_EQ(AsFolderPath("/data"), "/data/");
    EXPECT_EQ(AsFolderPath("/data//"), "/data/");

    file("sub/a.txt");
    EXPECT_EQ(WalkFolder(root() + "/", {}).files, paths({"sub/a.txt"}));
}

TEST_F(AddFolderTest, ReportsAFolderThatCannotBeReadAndKeepsTheRest) {
    file("a.txt");
    file("locked/inner/i.txt");
    file("open/o.txt");
    const Locked locked(root() + "locked");
    if (access(QFile::encodeName(root() + "locked").constData(), R_OK) == 0) {
        GTEST_SKIP() << "this user reads folders whatever their permissions (root)";
    }
    const FolderFiles found = WalkFolder(root(), {});
    EXPECT_EQ(found.files, paths({"a.txt", "open/o.txt"}));
    EXPECT_EQ(found.unreadable, paths({"locked/"}));
}

TEST_F(AddFolderTest, ReportsAMissingFolderAndStopsWhenAsked) {
    const FolderFiles missing = WalkFolder(root() + "gone", {});
    EXPECT_TRUE(missing.files.isEmpty());
    EXPECT_EQ(missing.unreadable, paths({"gone/"}));

    file("a.txt");
    std::stop_source stop;
    stop.request_stop();
    const FolderFiles stopped = WalkFolder(root(), stop.get_token());
    EXPECT_TRUE(stopped.files.isEmpty());
    EXPECT_TRUE(stopped.unreadable.isEmpty());
}
