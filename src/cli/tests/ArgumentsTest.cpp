#include "cli/Arguments.h"

#include "testsupport/GTestQt.h"

#include <gtest/gtest.h>

using namespace quillmere;

// Rule names in any letter case, "text:" before a text that is to be cut at as it stands; Qt's own options passed
// over, for the window's application; paths kept as bytes, relative ones in the working folder.
TEST(Arguments, ReadsRuleNamesInAnyCaseTextsAsTheyStandAndPassesQtsOwnOptionsOver) {
    const auto read = [](const QByteArrayList& arguments) { return cli::readArguments(arguments, "/work"); };
    EXPECT_EQ(read({"-o", "x.xlsx", "--columns", "Tab", "a"}).request.rule, ColumnRule::SplitAtTab);
    const cli::Arguments literal = read({"-o", "x.xlsx", "--columns=text:tab", "a"});
    EXPECT_EQ(std::pair(literal.request.rule, literal.request.customDelimiter),
              std::pair(ColumnRule::SplitAtText, u"tab"_s));
    const cli::Arguments window = read({"-platform", "offscreen", "--style=fusion", "-reverse", "b\xE9", "--", "-c"});
    EXPECT_EQ(window.mistake, QString());
    EXPECT_EQ(window.request.paths,
              (QList<FilePath>{FilePath::fromBytes("/work/b\xE9"), FilePath::fromBytes("/work/-c")}));
    EXPECT_TRUE(read({"--version"}).version);
    EXPECT_EQ(read({"-o", "x.ods", "--columns", "text:", "a"}).mistake,
              u"option '--columns' needs none, space, comma, tab or a text"_s);
    EXPECT_EQ(read({"--per-file", "a"}).mistake, u"options '--per-file' and '--columns' go with '--output'"_s);
}
