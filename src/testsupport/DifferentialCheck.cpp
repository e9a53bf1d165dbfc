#include "testsupport/DifferentialCheck.h"

#include "import/Error.h"
#include "import/ImportRun.h"
#include "testsupport/CellReadback.h"
#include "testsupport/DocumentContents.h"
#include "testsupport/ExpectedDocument.h"
#include "testsupport/RecordingOffice.h"
#include "testsupport/TextFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <stdexcept>

namespace quillmere::testing {
namespace {

constexpr qsizetype reportedDifferences = 10;
constexpr int shrinkTries = 150;

// A cell's text as a person can read it in a report: controls escaped, long texts cut short.
QString shown(const QString& text) {
    QString out;
    for (const QChar c : text.first(std::min<qsizetype>(text.size(), 40))) {
        out += c.isPrint() && c != u'\\' ? QString(c) : QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
    }
    return QStringLiteral("\"%1\"%2 (%3 characters)").arg(out, text.size() > 40 ? u"…" : u"").arg(text.size());
}

void compareRows(const SheetContents& want, const SheetContents& got, QStringList& found) {
    const std::size_t rows = std::max(want.rows.size(), got.rows.size());
    for (std::size_t r = 0; r < rows && found.size() < reportedDifferences; ++r) {
        const auto& wantRow = r < want.rows.size() ? want.rows[r] : std::vector<QString>{};
        const auto& gotRow = r < got.rows.size() ? got.rows[r] : std::vector<QString>{};
        const std::size_t cells = std::max(wantRow.size(), gotRow.size());
        for (std::size_t c = 0; c < cells && found.size() < reportedDifferences; ++c) {
            const QString wantCell = c < wantRow.size() ? wantRow[c] : QString();
            const QString gotCell = c < gotRow.size() ? gotRow[c] : QString();
            if (wantCell != gotCell) {
                found << QStringLiteral("sheet \"%1\", row %2, column %3: expected %4, found %5")
                             .arg(want.name)
                             .arg(r + 1)
                             .arg(c + 1)
                             .arg(shown(wantCell), shown(gotCell));
            }
        }
    }
}

QStringList compare(const DocumentContents& want, const DocumentContents& got) {
    QStringList found;
    if (want.size() != got.size()) {
        found << QStringLiteral("expected %1 sheets, found %2").arg(want.size()).arg(got.size());
    }
    for (std::size_t s = 0; s < std::min(want.size(), got.size()); ++s) {
        if (want[s].name != got[s].name) {
            found << QStringLiteral("sheet %1: expected the name %2, found %3")
                         .arg(s + 1)
                         .arg(shown(want[s].name), shown(got[s].name));
        }
        if (!got[s].nonText.isEmpty()) {
            found << QStringLiteral("sheet %1 holds cells that are not text: %2").arg(s + 1).arg(got[s].nonText);
        }
        compareRows(want[s], got[s], found);
    }
    return found;
}

std::vector<QString> linesOf(const QString& text) {
    const QStringList lines = text.split(u'\n');
    return {lines.begin(), lines.end()};
}

QString joinLines(const std::vector<QString>& lines, std::size_t from, std::size_t to) {
    QStringList kept;
    for (std::size_t l = 0; l < lines.size(); ++l) {
        if (l < from || l >= to) {
            kept << lines[l];
        }
    }
    return kept.join(u'\n');
}

// Smaller variants of a case, the boldest first: without a file, without a block of lines, with shorter lines.
std::vector<HostileCase> smallerCases(const HostileCase& c) {
    std::vector<HostileCase> smaller;
    const auto withText = [&](std::size_t f, QString text) {
        HostileCase variant = c;
        variant.files[f].text = std::move(text);
        smaller.push_back(std::move(variant));
    };
    for (std::size_t f = 0; c.files.size() > 1 && f < c.files.size(); ++f) {
        HostileCase variant = c;
        variant.files.erase(variant.files.begin() + std::ptrdiff_t(f));
        smaller.push_back(std::move(variant));
    }
    for (std::size_t f = 0; f < c.files.size(); ++f) {
        const std::vector<QString> lines = linesOf(c.files[f].text);
        for (std::size_t block = lines.size() / 2; block >= 1; block /= 2) {
            for (std::size_t from = 0; from + block <= lines.size() && lines.size() > 1; from += block) {
                withText(f, joinLines(lines, from, from + block));
            }
        }
        for (const bool front : {true, false}) {
            QStringList halves;
            for (const QString& line : lines) {
                halves << (front ? line.first(line.size() / 2) : line.sliced(line.size() / 2));
            }
            if (halves.join(u'\n') != c.files[f].text) {
                withText(f, halves.join(u'\n'));
            }
        }
    }
    return smaller;
}

} // namespace

DifferentialCheck::DifferentialCheck(SpreadsheetOffice& office, QString firstSheetName)
    : office_(office)
    , firstSheetName_(std::move(firstSheetName)) {}

QStringList DifferentialCheck::differences(const HostileCase& c) {
    TextFiles folder;
    ImportRequest request{{}, c.layout, c.rule, c.delimiter};
    for (const CaseFile& file : c.files) {
        request.paths << folder.write(file.name, file.bytes());
    }
    RecordingOffice recorder(office_);
    try {
        ImportRun(recorder, request, [](int) {}).run();
    } catch (const Error& e) {
        if (recorder.lastDocument()) {
            inspect::closeDocument(*recorder.lastDocument());
        }
        return {QStringLiteral("the run failed: %1").arg(e.message())};
    }
    fileLoads_ += recorder.fileLoads();
    const QStringList found =
        compare(expectedDocument(request, firstSheetName_), readDocument(*recorder.lastDocument()));
    inspect::closeDocument(*recorder.lastDocument());
    return found;
}

HostileCase DifferentialCheck::shrink(HostileCase c) {
    int tries = 0;
    for (bool smaller = true; smaller && tries < shrinkTries;) {
        smaller = false;
        for (const HostileCase& candidate : smallerCases(c)) {
            if (++tries > shrinkTries) {
                break;
            }
            if (!differences(candidate).isEmpty()) {
                c = candidate;
                smaller = true;
                break;
            }
        }
    }
    return c;
}

QString keepCase(const HostileCase& c, const QStringList& differences, const QString& parent) {
    QTemporaryDir folder(QDir(parent).filePath(QStringLiteral("quillmere-differential-XXXXXX")));
    if (!folder.isValid()) {
        throw std::runtime_error("cannot create a folder for the failing case under " + parent.toStdString());
    }
    folder.setAutoRemove(false);
    QString note = c.describe() + u'\n';
    for (const CaseFile& file : c.files) {
        const QByteArray bytes = file.bytes();
        QFile out(folder.filePath(file.name));
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
            throw std::runtime_error("cannot write " + out.fileName().toStdString());
        }
        note += QStringLiteral("%1: %2 bytes\n").arg(file.name).arg(bytes.size());
    }
    QFile noteFile(folder.filePath(QStringLiteral("case.txt")));
    if (!noteFile.open(QIODevice::WriteOnly)) {
        throw std::runtime_error("cannot write " + noteFile.fileName().toStdString());
    }
    noteFile.write((note + differences.join(u'\n') + u'\n').toUtf8());
    return folder.path();
}

} // namespace quillmere::testing
