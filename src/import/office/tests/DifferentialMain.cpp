// The differential check: generated hostile cases through the import run over a private office, each document
// held against the import core's own reading of the files. Prints "differential: N cases, M differences".
#include "testsupport/DifferentialCheck.h"
#include "testsupport/PrivateOffice.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

using namespace quillmere;
using namespace quillmere::testing;

namespace {

void print(const QString& line) {
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

inspect::DocumentContents readAndClose(const SpreadsheetDocument& document) {
    inspect::DocumentContents contents = inspect::readDocument(document);
    inspect::closeDocument(document);
    return contents;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOptions({{u"cases"_qs, u"How many generated cases."_qs, u"n"_qs, u"150"_qs},
                       {u"first-seed"_qs, u"The seed of the first case."_qs, u"seed"_qs, u"1"_qs}});
    parser.process(app);
    const std::uint64_t first = parser.value(u"first-seed"_qs).toULongLong();
    std::vector<HostileCase> cases = parser.isSet(u"first-seed"_qs) ? std::vector<HostileCase>() : fixedCases();
    for (std::uint64_t seed = first; seed < first + parser.value(u"cases"_qs).toULongLong(); ++seed) {
        cases.push_back(hostileCase(seed));
    }
    int differing = 0;
    int fileLoads = 0;
    PrivateOffice office;
    const auto connection = office.connect();
    for (const HostileCase& c : cases) {
        if (const QString found = firstDifference(*connection, c, fileLoads, readAndClose); !found.isEmpty()) {
            ++differing;
            print(QStringLiteral("differs: %1\n  %2").arg(c.describe(), found));
        }
    }
    print(QStringLiteral("differential: %1 cases, %2 differences").arg(cases.size()).arg(differing));
    print(QStringLiteral("(%1 of the documents came through the office's own import of a whole file)").arg(fileLoads));
    return differing == 0 ? 0 : 1;
}
