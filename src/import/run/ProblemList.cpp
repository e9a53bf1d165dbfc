#include "import/run/ProblemList.h"

#include <algorithm>

namespace quillmere {

namespace {
constexpr qsizetype namedProblems = 5;
}

QString ProblemList(const QString& heading, const QStringList& problems) {
    QString message = heading;
    for (const QString& problem : problems.first(std::min(problems.size(), namedProblems))) {
        message += u'\n' + problem;
    }
    if (problems.size() > namedProblems) {
        message += QStringLiteral("\n… and %1 more.").arg(problems.size() - namedProblems);
    }
    return message;
}

} // namespace quillmere
