// Prints the program folder as the program finds it, for StartUpTest to start through a link.
#include "app/ProgramFolder.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    const QCoreApplication app(argc, argv);
    std::printf("%s\n", qPrintable(quillmere::ProgramFolder()));
    return 0;
}
