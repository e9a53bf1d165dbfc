#include "import/TextReader.h"

#include "import/FileError.h"
#include "testsupport/TextFiles.h"

#include <QFile>

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using quillmere::FileError;
using quillmere::ReadTextFile;
using quillmere::testing::TextFiles;

namespace {

QString readBytes(const QByteArray& bytes) {
    TextFiles files;
    return ReadTextFile(files.write(QStringLiteral("t.txt"), bytes));
}

} // namespace

TEST(ReadTextFile, Utf16WithMarksDropsTheMarkAndAnOddLastByteAndReplacesLoneSurrogates) {
    EXPECT_EQ(readBytes(QByteArray("\xFF\xFE\x41\x00\x42\x00", 6)), u"AB");
    EXPECT_EQ(readBytes(QByteArray("\xFF\xFE\x41", 3)), u"");
    EXPECT_EQ(readBytes(QByteArray("\xFF\xFE\x41\x00\xE9\x00\x3D\xD8\x00\xDE\x42", 11)), u"A\u00E9\U0001F600");
    EXPECT_EQ(readBytes(QByteArray("\xFE\xFF\x00\x41\x00\xE9", 6)), u"A\u00E9");
    EXPECT_EQ(readBytes(QByteArray("\xFF\xFE", 2)), u"");
    EXPECT_EQ(readBytes(QByteArray("\xFF\xFE\x00\xDC\x41\x00\x3D\xD8", 8)), u"\uFFFDA\uFFFD");
    EXPECT_EQ(readBytes(QByteArray("\xFE\xFF\xD8\x3D\xD8\x3D\xDE\x00", 8)), u"\uFFFD\U0001F600");
}

TEST(ReadTextFile, Utf8WithOrWithoutMarkKeepsNonAsciiLetters) {
    EXPECT_EQ(readBytes("\xEF\xBB\xBFGr\xC3\xBC\xC3\x9F"
                        "e"),
              u"Grüße");
    EXPECT_EQ(readBytes("Gr\xC3\xBC\xC3\x9F"
                        "e \xE2\x9C\x93\n\xF0\x9F\x98\x80"),
              u"Grüße ✓\n\U0001F600");
    EXPECT_EQ(readBytes("plain,ascii\r\n"), u"plain,ascii\r\n");
}

TEST(ReadTextFile, EightBitTextIsWindows1252EvenWhenItStartsWithThornOrYDiaeresis) {
    EXPECT_EQ(readBytes("\xFEorn"), u"þorn");
    EXPECT_EQ(readBytes("\xFF"
                        "es"),
              u"ÿes");
    EXPECT_EQ(readBytes("\x80 5 \xB8 caf\xE9 \x9C\x81"), u"€ 5 \u00B8 café œ\u0081");
    // An overlong form is not valid UTF-8, so the whole file is 8-bit text.
    EXPECT_EQ(readBytes("\xC0\xAF"
                        "a"),
              u"À¯a");
}

TEST(ReadTextFile, EmptyFileIsEmptyText) {
    const QString text = readBytes("");
    EXPECT_TRUE(text.isEmpty());
}

TEST(ReadTextFile, MissingFileOrFolderNamesThePathAndTheReason) {
    TextFiles files;
    const QString missing = files.path(QStringLiteral("absent.txt"));
    try {
        ReadTextFile(missing);
        FAIL() << "no error for a missing file";
    } catch (const FileError& e) {
        EXPECT_EQ(e.path(), missing);
        EXPECT_EQ(e.reason(), u"No such file or directory");
        EXPECT_TRUE(e.message().startsWith(missing));
    }
    try {
        ReadTextFile(files.dir().path());
        FAIL() << "no error for a folder";
    } catch (const FileError& e) {
        EXPECT_EQ(e.path(), files.dir().path());
        EXPECT_EQ(e.reason(), u"Is a directory");
    }
    EXPECT_THROW(ReadTextFile(QString()), FileError);
}

TEST(ReadTextFile, UnreadableFileNamesThePath) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    TextFiles files;
    const QString path = files.write(QStringLiteral("locked.txt"), "x");
    QFile::setPermissions(path, QFileDevice::WriteOwner);
    try {
        ReadTextFile(path);
        FAIL() << "no error for an unreadable file";
    } catch (const FileError& e) {
        EXPECT_EQ(e.path(), path);
        EXPECT_FALSE(e.reason().isEmpty());
    }
}

// Each would block the open or read without end; each is refused at once, by its kind, before a byte is read.
TEST(ReadTextFile, WhatIsNotARegularFileIsRefusedByItsKind) {
    TextFiles files;
    const QString fifo = files.path(QStringLiteral("pipe"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString socketPath = files.path(QStringLiteral("socket"));
    const int listening = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(socketPath).constData(), sizeof address.sun_path - 1);
    ASSERT_EQ(bind(listening, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    const QString zeroLink = files.path(QStringLiteral("zeros.txt"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), zeroLink));

    const std::pair<QString, const char16_t*> cases[] = {
        {fifo, u"is a named pipe (FIFO), not a regular file"},
        {socketPath, u"is a socket, not a regular file"},
        {QStringLiteral("/dev/null"), u"is a device, not a regular file"},
        {zeroLink, u"is a device, not a regular file"},
    };
    for (const auto& [path, reason] : cases) {
        for (const auto& read : {std::function<void(const QString&)>(quillmere::checkReadable),
                                 std::function<void(const QString&)>([](const QString& p) { ReadTextFile(p); })}) {
            try {
                read(path);
                ADD_FAILURE() << path.toStdString() << " was read";
            } catch (const FileError& e) {
                EXPECT_EQ(e.path(), path);
                EXPECT_EQ(e.reason(), QString::fromUtf16(reason));
            }
        }
    }
    close(listening);
}

TEST(ReadTextFile, ALinkToARegularFileIsRead) {
    TextFiles files;
    const QString target = files.write(QStringLiteral("target.txt"), "linked");
    const QString link = files.path(QStringLiteral("link.txt"));
    ASSERT_TRUE(QFile::link(target, link));
    quillmere::checkReadable(link);
    EXPECT_EQ(ReadTextFile(link), u"linked");
}
