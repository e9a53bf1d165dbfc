// Measures the walk over a tree of 100,000 files in 5,000 folders, built in the temporary folder for the run,
// into the list on screen, and how quickly the list then scrolls and repaints with that many rows.
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"
#include "filelist/FolderWalk.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cstdio>

using namespace quillmere;
using namespace quillmere::filelist;

namespace {

constexpr int topFolders = 50;
constexpr int foldersPerTop = 100; // the top folder itself and 99 below it
constexpr int filesPerFolder = 20;
constexpr int totalFiles = topFolders * foldersPerTop * filesPerFolder;

bool writeFiles(const QString& folder) {
    if (!QDir().mkpath(folder)) {
        return false;
    }
    for (int i = 0; i < filesPerFolder; ++i) {
        QFile file(QStringLiteral("%1/day%2.txt").arg(folder).arg(i));
        if (!file.open(QIODevice::WriteOnly)) {
            return false;
        }
    }
    return true;
}

// Two levels below the root, so the walk crosses levels as a real tree would.
bool buildTree(const QString& root) {
    for (int top = 0; top < topFolders; ++top) {
        const QString topFolder = QStringLiteral("%1/part%2").arg(root).arg(top);
        if (!writeFiles(topFolder)) {
            return false;
        }
        for (int sub = 1; sub < foldersPerTop; ++sub) {
            if (!writeFiles(QStringLiteral("%1/chapter%2").arg(topFolder).arg(sub))) {
                return false;
            }
        }
    }
    return true;
}

double seconds(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e9;
}

// Pages through the whole list as a user dragging the scroll bar would, repainting at every step.
double millisecondsPerScrollStep(FileListView& view) {
    QScrollBar& bar = *view.verticalScrollBar();
    constexpr int steps = 200;
    QElapsedTimer timer;
    timer.start();
    for (int step = 1; step <= steps; ++step) {
        bar.setValue(bar.maximum() / steps * step);
        QCoreApplication::processEvents();
        view.viewport()->repaint();
    }
    return seconds(timer) / steps * 1e3;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    FileListView view;
    FileListModel list;
    view.setModel(&list);
    view.resize(425, 105);
    view.show();

    const QTemporaryDir tree;
    if (!tree.isValid() || !buildTree(tree.path())) {
        std::fprintf(stderr, "cannot build the folder tree in %s\n", qPrintable(QDir::tempPath()));
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    const FolderFiles found = walkFolder(tree.path(), {});
    list.append(found.files);
    // The view lays out its rows when the event loop next runs.
    QCoreApplication::processEvents();
    view.viewport()->repaint();
    const double walked = seconds(timer);
    if (found.files.size() != totalFiles || !found.unreadable.isEmpty()) {
        std::fprintf(stderr, "the walk found %lld files and %lld unreadable folders\n",
                     static_cast<long long>(found.files.size()), static_cast<long long>(found.unreadable.size()));
        return 1;
    }
    std::printf("folder walk %d files s: %.3f\n", totalFiles, walked);
    std::printf("list of %d rows, ms per scroll step: %.2f\n", totalFiles, millisecondsPerScrollStep(view));
    return 0;
}
