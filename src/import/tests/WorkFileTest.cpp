#include "import/WorkFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace quillmere;

namespace {

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

} // namespace

TEST(WorkFile, AnyTextPassesUnchangedAsUtf8EndingInCrLf) {
    WorkFile work;
    const QString text = u"plain, é € \u00B8 \U0001F600 中文\nnext\r\n\u0000end"_qs;
    WriteWorkFile(work, text);
    EXPECT_EQ(bytesOf(work.path()), text.toUtf8() + "\r\n");

    WriteWorkFile(work, QStringLiteral("short"));
    EXPECT_EQ(bytesOf(work.path()), "short\r\n");
}

TEST(WorkFile, IsPrivateUniqueInTheTemporaryFolderAndRemovedAfterUse) {
    QString first;
    {
        WorkFile a;
        WorkFile b;
        first = a.path();
        EXPECT_NE(a.path(), b.path());
        const QFileInfo info(a.path());
        EXPECT_EQ(info.absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
        EXPECT_EQ(info.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther | QFileDevice::WriteGroup |
                                        QFileDevice::WriteOther),
                  QFileDevice::Permissions());
        EXPECT_TRUE(QFile::exists(first));
    }
    EXPECT_FALSE(QFile::exists(first));
}

// For an end that cannot wait for the run that holds them.
TEST(WorkFile, LiveOnesCanAllBeRemovedAtOnce) {
    WorkFile a;
    WorkFile b;
    RemoveWorkFiles();
    EXPECT_FALSE(QFile::exists(a.path()));
    EXPECT_FALSE(QFile::exists(b.path()));
}
