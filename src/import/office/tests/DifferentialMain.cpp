// The differential check: generated hostile cases through the import run over a private office, each document
// held against the import core's own reading of the files. Prints "differential: N cases, M differences".
#include "testsupport/DifferentialCheck.h"
#include "testsupport/PrivateOffice.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

using namespace quillmere::testing;

namespace {

struct Options {
    std::uint64_t cases = 150;
    std::uint64_t firstSeed = 1;
    QString keepIn = QDir::tempPath();
};

Options parse(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("cases"), QStringLiteral("How many generated cases."), QStringLiteral("n"), u"150"_qs},
        {QStringLiteral("first-seed"), QStringLiteral("The seed of the first case."), QStringLiteral("seed"), u"1"_qs},
        {QStringLiteral("keep-in"), QStringLiteral("Where failing cases are written."), QStringLiteral("folder"),
         QDir::tempPath()},
    });
    parser.process(app);
    return {parser.value(QStringLiteral("cases")).toULongLong(),
            parser.value(QStringLiteral("first-seed")).toULongLong(), parser.value(QStringLiteral("keep-in"))};
}

void print(const QString& line) {
    std::fputs(qPrintable(line + u'\n'), stdout);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const Options options = parse(app);
    std::vector<HostileCase> cases = fixedCases();
    for (std::uint64_t seed = options.firstSeed; seed < options.firstSeed + options.cases; ++seed) {
        cases.push_back(hostileCase(seed));
    }
    int differing = 0;
    int fileLoads = 0;
    {
        PrivateOffice office;
        const auto connection = office.connect();
        DifferentialCheck check(*connection, QStringLiteral("Sheet1"));
        for (const HostileCase& c : cases) {
            if (const QStringList found = check.differences(c); !found.isEmpty()) {
                ++differing;
                print(QStringLiteral("differs: %1\n  %2").arg(c.describe(), found.join(u"\n  ")));
                const HostileCase smallest = check.shrink(c);
                print(QStringLiteral("  smallest failing case kept in %1")
                          .arg(keepCase(smallest, check.differences(smallest), options.keepIn)));
            }
        }
        fileLoads = check.fileLoads();
    }
    print(QStringLiteral("differential: %1 cases, %2 differences").arg(cases.size()).arg(differing));
    print(QStringLiteral("(%1 of the documents came through the office's own import of a whole file)").arg(fileLoads));
    return differing == 0 ? 0 : 1;
}
