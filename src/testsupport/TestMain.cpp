#include <QCoreApplication>

#include <gtest/gtest.h>

// An application object for the whole test process, as the program has one: an import job's thread runs its events,
// and the background pool, which the application ends as it goes, serves every test.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
