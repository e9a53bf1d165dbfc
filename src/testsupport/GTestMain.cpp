#include "testsupport/PrivateOffice.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

// GoogleTest's main with a Qt application around it, and the shared test office stopped before Qt goes.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    quillmere::testing::stopSharedOffice();
    return result;
}
