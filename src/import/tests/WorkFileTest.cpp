#include "import/WorkFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace quillmere;

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
