#include "import/run/ProblemList.h"

#include <QCoreApplication>

#include <algorithm>

namespace quillmere {

namespace {
constexpr qsizetype namedProblems = 5;
}

QString problemList(const QString& heading, const QStringList& problems) {
    QString message = heading;
    for (const QString& problem : problems.first(std::min(problems.size(), namedProblems))) {
        message += u'\n' + problem;
    }
    if (problems.size() > namedProblems) {
        message += u'\n' + QCoreApplication::translate("ProblemList", "… and %n more.", nullptr,
                                                       int(problems.size() - namedProblems));
    }
    return message;
}

} // namespace quillmere
