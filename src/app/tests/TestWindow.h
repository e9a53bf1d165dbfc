#pragma once

#include "app/MainWindow.h"
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"
#include "filelist/FilePicker.h"
#include "import/run/ImportJob.h"
#include "testsupport/FakeSpreadsheet.h"
#include "testsupport/RecordingOffice.h"
#include "testsupport/TextFiles.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>

#include <vector>

namespace quillmere::testing {

inline bool busy() {
    return QGuiApplication::overrideCursor() != nullptr;
}

// Answers the dialogs as a user would have.
struct AnsweringPicker final : filelist::FilePicker {
    QStringList files;
    QString folder;
    int asked = 0;
    QStringList pickFiles(QWidget*, const QString&, const QStringList&) override { return ++asked, files; }
    QString pickFolder(QWidget*, const QString&) override { return ++asked, folder; }
};

struct SeenBox {
    QString text;
    QMessageBox::Icon icon;
    Qt::TextFormat format;
    // Whether the wait pointer stood while the box was on screen.
    bool waitPointer;
};

// The window, over a fake office. It answers every message box as it opens, keeping what the
// box showed and what the pointer was meanwhile.
struct TestWindow : QObject {
    explicit TestWindow(const QString& programFolder = {})
        : job([this] { return std::make_unique<RecordingOffice>(fake); })
        , form(job, picker, programFolder.isEmpty() ? files.dir().path() : programFolder) {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* box = qobject_cast<QMessageBox*>(watched); box && event->type() == QEvent::Show) {
            boxes.push_back({box->text(), box->icon(), box->textFormat(), busy()});
            QMetaObject::invokeMethod(box->buttons().first(), &QAbstractButton::click, Qt::QueuedConnection);
        }
        return false;
    }
    template <typename Control = QWidget>
    Control* control(const char* name) const {
        return form.findChild<Control*>(QString::fromLatin1(name));
    }
    filelist::FileListView& view() const { return *control<filelist::FileListView>("fileList"); }
    filelist::FileListModel& list() const { return *qobject_cast<filelist::FileListModel*>(view().model()); }
    QStringList shown() const { return ShownPaths(list().paths()); }
    void click(const char* button) const { QTest::mouseClick(control(button), Qt::LeftButton); }

    std::vector<SeenBox> boxes;
    FakeSpreadsheet fake;
    ImportJob job;
    AnsweringPicker picker;
    TextFiles files;
    app::MainWindow form;
};

} // namespace quillmere::testing
