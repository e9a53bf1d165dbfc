#include "app/MainWindow.h"
#include "base/EndSignals.h"
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"
#include "filelist/FilePicker.h"
#include "import/job/ImportJob.h"
#include "testsupport/FakeSpreadsheet.h"
#include "testsupport/RecordingOffice.h"
#include "testsupport/TextFiles.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QKeySequence>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <semaphore>

using namespace Qt::StringLiterals;

using namespace quillmere;
using namespace quillmere::app;
using namespace quillmere::filelist;
using namespace quillmere::testing;

namespace {

bool busy() {
    return QGuiApplication::overrideCursor() != nullptr;
}

// Answers the dialogs as a user would have: no files, and the folder set.
struct AnsweringPicker final : FilePicker {
    QString folder;
    int asked = 0;
    QStringList pickFiles(QWidget*, const QString&, const QStringList&) override { return ++asked, QStringList(); }
    QString pickFolder(QWidget*, const QString&) override { return ++asked, folder; }
};

struct SeenBox {
    QString text;
    Qt::TextFormat format;
    // Whether the wait pointer stood while the box was on screen.
    bool waitPointer;
};

// The window, over a fake office, with the pointer files the build draws. It answers every message box as it opens,
// keeping what the box showed and what the pointer was meanwhile.
struct TestWindow : QObject {
    TestWindow() { qApp->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* box = qobject_cast<QMessageBox*>(watched); box && event->type() == QEvent::Show) {
            boxes.push_back({box->text(), box->textFormat(), busy()});
            QMetaObject::invokeMethod(box->buttons().first(), &QAbstractButton::click, Qt::QueuedConnection);
        }
        return false;
    }
    template <typename Control = QWidget>
    Control* control(const char* name) const {
        return form.findChild<Control*>(QString::fromLatin1(name));
    }
    FileListView& view() const { return *control<FileListView>("fileList"); }
    FileListModel& list() const { return *qobject_cast<FileListModel*>(view().model()); }
    QStringList shown() const { return shownPaths(list().paths()); }
    void click(const char* button) const { QTest::mouseClick(control(button), Qt::LeftButton); }

    std::vector<SeenBox> boxes;
    FakeSpreadsheet fake;
    ImportJob job{[this] { return std::make_unique<RecordingOffice>(fake); }};
    AnsweringPicker picker;
    TextFiles files;
    MainWindow form{job, picker, QStringLiteral(QUILLMERE_PROGRAM_DIR)};
};

// The last document's cells: "|" between cells, "/" between rows, "#" between sheets.
QString contents(const FakeSpreadsheet& fake) {
    QStringList sheets;
    for (const auto& sheet : fake.lastDocument().contents()) {
        QStringList rows;
        for (const auto& row : sheet.rows) {
            rows << QStringList(row.begin(), row.end()).join(u'|');
        }
        sheets << rows.join(u'/');
    }
    return sheets.join(u'#');
}

} // namespace

// The window at 96 dots per inch: filling and ordering the list, and importing it into a fake office.
class WindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TestWindow> w_;

    QString root() const { return w_->files.dir().path() + u'/'; }
    QString add(const char* name, const QByteArray& text) const {
        w_->list().append(w_->files.write(QString::fromLatin1(name), text));
        return w_->shown().last();
    }
    void waitForTheEnd() const { QTRY_VERIFY_WITH_TIMEOUT(!busy() && !w_->job.isRunning(), 10000); }

    // Plays steps on the list such as "c2 p0 m1 r1 d0": click, press, move, release or double-click at a row or,
    // with "b", below the rows; "f" drops the local files /Y and /Z, "w" a local file and a web page; "+Alt+Up"
    // presses keys.
    void play(const QString& steps) const {
        QWidget* list = w_->view().viewport();
        for (const QString& step : steps.split(u' ')) {
            if (step[0] == u'+') {
                const QKeyCombination key = QKeySequence::fromString(step.mid(1))[0];
                QTest::keyClick(&w_->view(), key.key(), key.keyboardModifiers());
                continue;
            }
            const QPoint at = step.endsWith(u'b')
                                  ? QPoint(10, list->height() - 5)
                                  : w_->view().visualRect(w_->list().index(step.mid(1).toInt())).center();
            if (step[0] == u'f' || step[0] == u'w') {
                QMimeData data;
                data.setUrls({QUrl("file:///Y"), QUrl(step[0] == u'f' ? "file:///Z" : "https://e.org/Z")});
                QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
                QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
                // As with a real drag, only a list that took the entry gets the drop.
                QCoreApplication::sendEvent(list, &enter) && enter.isAccepted() &&
                    QCoreApplication::sendEvent(list, &drop);
            } else {
                // The letters in the order of QTest::MouseAction.
                const auto action = QTest::MouseAction(QStringLiteral("prcdm").indexOf(step[0]));
                QTest::mouseEvent(action, list, Qt::LeftButton, {}, at);
            }
        }
    }

private slots:
    void init() {
        w_ = std::make_unique<TestWindow>();
        w_->form.show();
        QVERIFY(QTest::qWaitForWindowActive(&w_->form));
    }
    void cleanup() { w_.reset(); }

    void logoutAClosedTerminalOrCtrlCArriveThroughTheEventLoop() {
        const EndSignals endSignals;
        QSignalSpy received(&endSignals, &EndSignals::received);
        for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
            const qsizetype before = received.size();
            QVERIFY(std::raise(signal) == 0);
            QTRY_COMPARE(received.size(), before + 1);
        }
    }

    // Qt's option marks and fallback fonts are wider than the layout's measures were made for. Long paths are read by
    // widening the list's column past its edge.
    void captionsFitAndLongPathsScroll() {
        for (const QRadioButton* option : w_->form.findChildren<QRadioButton*>()) {
            QVERIFY2(option->width() >= option->sizeHint().width(), qPrintable(option->objectName()));
        }
        QVERIFY(w_->control("splitAtTextOption")->geometry().right() < w_->control("delimiterBox")->geometry().left());
        QCOMPARE(w_->view().horizontalScrollBar()->maximum(), 0);
        w_->view().header()->resizeSection(0, 2000);
        QTRY_VERIFY(w_->view().horizontalScrollBar()->maximum() > 0);
    }

    // Until the walk's rows are in, a second walk or an import would work on a list that is still to change.
    void aFolderWalkAddsItsRowsWhenDoneAndHoldsOffAnotherWalkOrAnImport() {
        w_->click("addFolderButton");
        QVERIFY(!busy());
        const QString listed = add("listed.txt", "x");
        const QStringList tree{w_->files.write(QStringLiteral("tree/a.txt"), "x"),
                               w_->files.write(QStringLiteral("tree/b.txt"), "x"),
                               w_->files.write(QStringLiteral("tree/sub/c.txt"), "x")};
        w_->picker.folder = root() + "tree";
        w_->click("addFolderButton");
        QVERIFY(busy());
        w_->click("addFolderButton");
        w_->click("importButton");
        QTRY_VERIFY(!busy());
        QCOMPARE(w_->picker.asked, 2);
        QCOMPARE(w_->shown(), QStringList{listed} + tree);
        QCOMPARE(w_->fake.documentsOpened(), 0);
        // Paths handed to the program go in in their order, a folder among them walked alike, a missing one as it is.
        w_->form.addPaths(filePaths({root() + "tree", listed, root() + "missing.txt"}));
        QTRY_VERIFY(!busy());
        const QStringList given = QStringList{listed} + tree + tree + QStringList{listed, root() + "missing.txt"};
        QCOMPARE(w_->shown(), given);
    }

    // The row clicked last follows the pointer by exchanging places with the row under it; the keys move the selected
    // row. Drops are taken until a row is clicked or moved: by then the user may be ordering the list, and a mistaken
    // drop would spoil it.
    void theMouseAndTheKeysOrderAndTrimTheList_data() {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("after");
        QTest::newRow("dragged slowly, row by row") << u"ABC"_s << u"p0 m1 m2 r2"_s << u"BCA"_s;
        QTest::newRow("a jump exchanges two rows") << u"ABCD"_s << u"p0 m3 r3"_s << u"DBCA"_s;
        QTest::newRow("equal paths stay, the drag goes on") << u"AAB"_s << u"p0 m1 m2 r2"_s << u"BAA"_s;
        QTest::newRow("below the rows before any click") << u"ABC"_s << u"pb m1 r1"_s << u"ABC"_s;
        QTest::newRow("below the rows after a click") << u"ABC"_s << u"c2 pb m0 r0"_s << u"CBA"_s;
        QTest::newRow("a removed row is not dragged") << u"ABC"_s << u"c2 d2 pb m0 r0"_s << u"AB"_s;
        QTest::newRow("double-click below the rows") << u"ABC"_s << u"c1 db"_s << u"AC"_s;
        QTest::newRow("double-click with nothing selected") << u"AB"_s << u"db"_s << u"AB"_s;
        QTest::newRow("dropped files") << u"A"_s << u"f"_s << u"A/Y/Z"_s;
        QTest::newRow("dropped web page") << u"A"_s << u"w"_s << u"A"_s;
        QTest::newRow("dropped after a row click") << u"A"_s << u"c0 f"_s << u"A"_s;
        QTest::newRow("removed by key, row after row") << u"ABCD"_s << u"c1 +Del +Backspace"_s << u"AD"_s;
        QTest::newRow("moved by key, kept selected") << u"ABC"_s << u"c0 +Alt+Down +Alt+Down +Alt+Up"_s << u"BAC"_s;
        QTest::newRow("moved by key past an equal path") << u"AAB"_s << u"c0 +Alt+Down +Alt+Down"_s << u"ABA"_s;
        QTest::newRow("moved by key, then dragged on") << u"ABC"_s << u"c0 +Alt+Down pb m2 r2"_s << u"BCA"_s;
        QTest::newRow("dropped after a move by key") << u"AB"_s << u"+Down +Alt+Down f"_s << u"BA"_s;
    }
    void theMouseAndTheKeysOrderAndTrimTheList() {
        QFETCH(QString, rows);
        QFETCH(QString, steps);
        QFETCH(QString, after);
        w_->list().append(rows.split(QString(), Qt::SkipEmptyParts));
        play(steps);
        QCOMPARE(w_->shown().join(QString()), after);
    }

    // Return and Enter press as Space does; a key held down acts once. The empty list is reported at each press. The
    // hand over the buttons is the one drawn beside the program, not Qt's.
    void aKeyPressesTheFocusedPictureButtonOnce() {
        QCOMPARE(w_->control("importButton")->cursor().shape(), Qt::BitmapCursor);
        for (const char* button : {"addFilesButton", "addFolderButton", "importButton"}) {
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
                QWidget* focused = w_->control(button);
                focused->setFocus();
                QTest::keyPress(focused, key);
                QKeyEvent held(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
                QApplication::sendEvent(focused, &held);
                QTest::keyRelease(focused, key);
            }
        }
        QCOMPARE(w_->picker.asked, 6);
        QCOMPARE(w_->boxes.size(), 3u);
    }

    // The office may not get the focus for the document it was handed: the key that comes next starts no import.
    void aKeyAfterAnImportStartsNoOther() {
        add("a.txt", "a\r\n");
        QWidget* button = w_->control("importButton");
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
        waitForTheEnd();
        QTest::keyClick(w_->form.focusWidget(), Qt::Key_Return);
        waitForTheEnd();
        QCOMPARE(w_->fake.documentsOpened(), 1);
    }

    // Every control has a name of its own for a screen reader, also the first focus stop.
    void aScreenReaderNamesEachControl() {
        for (QWidget* control : w_->form.findChildren<QWidget*>(QRegularExpression(u"^[a-z][A-Za-z]+$"_s))) {
            const QString name = QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty() && name != control->objectName(), qPrintable(control->objectName()));
        }
    }

    // An empty list, a folder that cannot be read and a file that cannot be read: each box names the problem in
    // plain text, and the pointer is back by then.
    void eachProblemIsShownAsPlainTextOnceThePointerIsBack() {
        w_->click("importButton");
        w_->picker.folder = root() + "gone";
        w_->click("addFolderButton");
        QTRY_COMPARE(w_->boxes.size(), 2u);
        w_->list().append(w_->files.path(QStringLiteral("<b>missing</b>.txt")));
        w_->click("importButton");
        QTRY_COMPARE(w_->boxes.size(), 3u);
        waitForTheEnd();
        QCOMPARE(w_->boxes[0].text, QStringLiteral("No files added."));
        QVERIFY2(w_->boxes[1].text.contains(root() + "gone/"), qPrintable(w_->boxes[1].text));
        QVERIFY2(w_->boxes[2].text.contains(u"<b>missing</b>.txt"), qPrintable(w_->boxes[2].text));
        for (const SeenBox& box : w_->boxes) {
            QVERIFY2(box.format == Qt::PlainText, qPrintable(box.text));
            QVERIFY2(!box.waitPointer, qPrintable(box.text));
        }
        QCOMPARE(w_->fake.documentsOpened(), 0);
    }

    // Each run takes the list and the choices of the moment. Typing a delimiter chooses its option; one chosen
    // afterwards wins.
    void eachRunTakesTheListAndTheChoicesOfTheMoment() {
        add("first.txt", "a,b;c d\te\r\n");
        add("second.txt", "z\r\n");
        // The layout, the delimiter typed, the rule chosen afterwards (none: typing chose it) and the document made.
        const QStringList runs[] = {
            {"singleSheetOption", ",", "noSplitOption", "a,b;c d\te/z"},
            {"perFileOption", "", "splitAtCommaOption", "z#a|b;c d\te"},
            {"singleSheetOption", ";", "", "a,b|c d\te/z"},
            {"perFileOption", "", "splitAtSpaceOption", "z#a,b;c|d\te"},
            {"singleSheetOption", "", "splitAtTabOption", "a,b;c d|e/z"},
        };
        for (const auto& run : runs) {
            w_->control<QRadioButton>(qPrintable(run[0]))->click();
            auto* delimiter = w_->control<QLineEdit>("delimiterBox");
            delimiter->clear();
            QTest::keyClicks(delimiter, run[1]);
            if (!run[2].isEmpty()) {
                w_->control<QRadioButton>(qPrintable(run[2]))->click();
            }
            w_->click("importButton");
            waitForTheEnd();
            QCOMPARE(contents(w_->fake), run[3]);
        }
    }

    // The office holds the run at its first sheet meanwhile. Checks wait for the run: the job's end waits for it.
    void whileRunningTheWaitPointerStandsASecondPressIsIgnoredAndClosingStopsTheRun() {
        add("a.txt", "a\r\n");
        add("b.txt", "b\r\n");
        w_->control<QRadioButton>("perFileOption")->click();
        std::binary_semaphore held{0}, released{0};
        w_->fake.beforeCall = [&](const QString& call) {
            if (call == u"insertSheet btxt") { // the last file's sheet comes first
                held.release();
                released.try_acquire_for(std::chrono::seconds(10)); // a failed test holds the run no longer
            }
        };
        w_->click("importButton");
        QVERIFY2(held.try_acquire_for(std::chrono::seconds(10)), "the run never inserted the sheet \"btxt\"");
        w_->click("importButton");
        const bool busyMeanwhile = busy();
        w_->form.close();
        released.release();
        QVERIFY(w_->job.waitUntilIdle(std::chrono::seconds(10)));
        QVERIFY(busyMeanwhile);
        QVERIFY(!contents(w_->fake).contains(u'a'));
    }

    // Latin-1 names, as an old archive may hold: walked, listed with a replacement mark and read by their bytes.
    void namesThatAreNotUtf8AreWalkedShownAndRead() {
        const std::string tree = QFile::encodeName(root()).toStdString() + "tree/";
        // The temporary folder removes itself by names that are text, which these are not.
        const auto removeTree = qScopeGuard([&] { std::filesystem::remove_all(tree); });
        QVERIFY(std::filesystem::create_directories(tree + "d\xE9j\xE0"));
        std::ofstream(tree + "caf\xE9.txt") << "c";
        std::ofstream(tree + "d\xE9j\xE0/x.txt") << "d";
        w_->picker.folder = QString::fromStdString(tree);
        w_->click("addFolderButton");
        QTRY_COMPARE(w_->list().rowCount(), 2);
        QCOMPARE(w_->shown(),
                 QStringList({w_->picker.folder + u"caf\uFFFD.txt"_s, w_->picker.folder + u"d\uFFFDj\uFFFD/x.txt"_s}));
        w_->control<QRadioButton>("perFileOption")->click();
        w_->click("importButton");
        waitForTheEnd();
        QCOMPARE(contents(w_->fake), QStringLiteral("d#c"));
    }
};

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
