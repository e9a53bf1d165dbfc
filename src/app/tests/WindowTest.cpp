#include "TestWindow.h"

#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QRadioButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalSpy>
#include <QUrl>

#include <filesystem>
#include <fstream>

using namespace quillmere;
using namespace quillmere::testing;

namespace {

const QString ProgramFolder = QStringLiteral(QUILLMERE_PROGRAM_DIR);

QByteArray drawnHand() {
    QFile file(ProgramFolder + QStringLiteral("/HAND-M.CUR"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The last document's cells: "|" between cells, "/" between rows, "#" between sheets.
QString contents(const FakeSpreadsheet& fake) {
    static const FakeSpreadsheet::DocumentData none;
    QStringList sheets;
    for (const auto& sheet : (fake.documentsOpened() > 0 ? fake.lastDocument() : none).sheets) {
        QStringList rows;
        for (const auto& [at, text] : sheet.cells) {
            rows.resize(std::max(rows.size(), at.first + 1));
            rows[at.first] += (at.second > 0 ? QStringLiteral("|") : QString()) + text;
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
        return w_->files.path(QString::fromLatin1(name));
    }
    void waitForTheEnd() const { QTRY_VERIFY_WITH_TIMEOUT(!busy() && !w_->job.isRunning(), 10000); }

    // Plays steps on the list such as "c2 p0 m1 r1 d0": click, press, move, release or double-click at a row or,
    // with "b", below the rows; "f" drops the local files /Y and /Z, "t" a text, "w" a local file and a web page.
    void play(const QString& steps) const {
        QWidget* list = w_->view().viewport();
        for (const QString& step : steps.split(u' ')) {
            const int row = step.size() > 1 && step[1] != u'b' ? step.mid(1).toInt() : -1;
            const QPoint at =
                row < 0 ? QPoint(10, list->height() - 5) : w_->view().visualRect(w_->list().index(row)).center();
            const char action = step[0].toLatin1();
            if (action == 'f' || action == 't' || action == 'w') {
                QMimeData data;
                data.setText(QStringLiteral("/Y"));
                data.setUrls(QUrl::fromStringList(action == 'f'   ? QStringList{"file:///Y", "file:///Z"}
                                                  : action == 'w' ? QStringList{"file:///Y", "https://e.org/Z"}
                                                                  : QStringList()));
                QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
                QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
                QCoreApplication::sendEvent(list, &enter) && enter.isAccepted() &&
                    QCoreApplication::sendEvent(list, &drop);
            } else if (action == 'm') {
                QTest::mouseMove(list, at);
            } else {
                const auto event = action == 'c'   ? QTest::MouseClick
                                   : action == 'd' ? QTest::MouseDClick
                                   : action == 'p' ? QTest::MousePress
                                                   : QTest::MouseRelease;
                QTest::mouseEvent(event, list, Qt::LeftButton, {}, at);
            }
        }
    }

private slots:
    void init() {
        w_ = std::make_unique<TestWindow>();
        QVERIFY(w_->show());
    }
    void cleanup() { w_.reset(); }

    // The focus starts out of sight; Tab enters an option group at its choice only.
    void opensFixedWithTheDefaultChoicesAndTheTabOrder() {
        QCOMPARE(w_->form.minimumSize(), w_->form.maximumSize());
        QVERIFY(!(w_->form.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w_->control<QRadioButton>("Option1")->isChecked() && w_->control<QRadioButton>("Option5")->isChecked());
        QVERIFY(!QApplication::focusWidget()->geometry().intersects(w_->form.rect()));
        w_->control<QRadioButton>("Option3")->setChecked(true);
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 8; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited, QStringList({"Command1", "Check1", "Check2", "ListView1", "Check4", "Text1", "Option3",
                                       "Option5", "Command1"}));
    }

    // Qt's option marks and fallback fonts are wider than the layout's measures were made for. Long paths are read
    // by widening the list's column past its edge.
    void everyCaptionAndPathCanBeReadWhole() {
        for (const QRadioButton* option : w_->form.findChildren<QRadioButton*>()) {
            QVERIFY2(option->width() >= option->sizeHint().width(), qPrintable(option->objectName()));
        }
        QVERIFY(w_->control("Option4")->geometry().right() < w_->control("Text1")->geometry().left());
        QScrollBar& bar = *w_->view().horizontalScrollBar();
        QCOMPARE(bar.maximum(), 0);
        w_->view().header()->resizeSection(0, 2000);
        QTRY_VERIFY(bar.maximum() > 0);
    }

    // A damaged file leaves Qt's hand; the list shows drag.ico, drawn beside the program, while a row is held.
    void thePointersComeFromTheCursorFilesBesideTheProgram_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("drawn") << drawnHand();
        QTest::newRow("absent") << QByteArray();
        QTest::newRow("text") << QByteArray("not a cursor at all\n");
        QTest::newRow("cut short") << drawnHand().left(100);
    }
    void thePointersComeFromTheCursorFilesBesideTheProgram() {
        QFETCH(QByteArray, file);
        const bool drawn = file == drawnHand();
        if (!file.isEmpty() && !drawn) {
            w_->files.write(QStringLiteral("HAND-M.CUR"), file);
        }
        w_ = std::make_unique<TestWindow>(drawn ? ProgramFolder : w_->files.dir().path());
        for (const char* button : {"Check1", "Check2", "Check4"}) {
            QCOMPARE(w_->control(button)->cursor().shape(), drawn ? Qt::BitmapCursor : Qt::PointingHandCursor);
        }
        w_->list().append(QStringLiteral("/a.txt"));
        play(QStringLiteral("p0"));
        QCOMPARE(w_->view().viewport()->cursor().shape(), drawn ? Qt::BitmapCursor : Qt::ArrowCursor);
        play(QStringLiteral("r0"));
        QCOMPARE(w_->view().viewport()->cursor().shape(), Qt::ArrowCursor);
    }

    void theFileDialogAddsThePickedPathsAtTheBottom() {
        w_->list().append(QStringLiteral("/listed.txt"));
        // One file comes as its path, several as their folder and their names; cancelling gives nothing.
        for (const QStringList& pick : {QStringList{"/listed.txt"}, QStringList(),
                                        QStringList{"/", "b.txt", "/e/a.txt"}, QStringList{"/d//", "c.txt", "a.txt"}}) {
            w_->picker.files = pick;
            w_->click("Check1");
        }
        QCOMPARE(w_->shown(),
                 QStringList({"/listed.txt", "/listed.txt", "/b.txt", "/e/a.txt", "/d/c.txt", "/d/a.txt"}));
    }

    // Until the walk's rows are in, a second walk or an import would work on a list that is still to change.
    void aFolderWalkAddsItsRowsWhenDoneAndHoldsOffAnotherWalkOrAnImport() {
        w_->click("Check4");
        QVERIFY(!busy());
        const QString listed = add("listed.txt", "x");
        const QStringList tree{w_->files.write(QStringLiteral("tree/a.txt"), "x"),
                               w_->files.write(QStringLiteral("tree/b.txt"), "x"),
                               w_->files.write(QStringLiteral("tree/sub/c.txt"), "x")};
        w_->picker.folder = root() + "tree";
        w_->click("Check4");
        QVERIFY(busy());
        w_->click("Check4");
        w_->click("Check2");
        QTRY_VERIFY(!busy());
        QCOMPARE(w_->picker.asked, 2);
        QCOMPARE(w_->shown(), QStringList{listed} + tree);
        QCOMPARE(w_->fake.documentsOpened(), 0);
    }

    void aFolderThatCannotBeReadIsNamedInAWarningOnceThePointerIsBack() {
        w_->picker.folder = root() + "gone";
        w_->click("Check4");
        QTRY_COMPARE(w_->boxes.seen.size(), 1u);
        const SeenBox& box = w_->boxes.seen[0];
        QCOMPARE(box.icon, QMessageBox::Warning);
        QVERIFY2(box.text.contains(root() + "gone/"), qPrintable(box.text));
        QVERIFY(!box.waitPointer);
    }

    // The row clicked last follows the pointer by exchanging places with the row under it.
    // Drops are taken until then: by then the user may be ordering the list, and a mistaken drop would spoil it.
    void theMouseOrdersAndTrimsTheList_data() {
        QTest::addColumn<QString>("rows");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("after");
        QTest::newRow("dragged slowly, row by row") << "ABC"
                                                    << "p0 m1 m2 r2"
                                                    << "BCA";
        QTest::newRow("a jump exchanges two rows") << "ABCD"
                                                   << "p0 m3 r3 m1"
                                                   << "DBCA";
        QTest::newRow("equal paths stay, the drag goes on") << "AAB"
                                                            << "p0 m1 m2 r2"
                                                            << "BAA";
        QTest::newRow("below the rows before any click") << "ABC"
                                                         << "pb m1 r1"
                                                         << "ABC";
        QTest::newRow("below the rows after a click") << "ABC"
                                                      << "c2 pb m0 r0"
                                                      << "CBA";
        QTest::newRow("a removed row is not dragged") << "ABC"
                                                      << "c2 d2 pb m0 r0"
                                                      << "AB";
        QTest::newRow("double-click below the rows") << "ABC"
                                                     << "c1 db"
                                                     << "AC";
        QTest::newRow("double-click with nothing selected") << "AB"
                                                            << "db"
                                                            << "AB";
        QTest::newRow("dropped files") << "A"
                                       << "f"
                                       << "A/Y/Z";
        QTest::newRow("dropped text") << "A"
                                      << "t"
                                      << "A";
        QTest::newRow("dropped web page") << "A"
                                          << "w"
                                          << "A";
        QTest::newRow("dropped after a row click") << "A"
                                                   << "c0 f"
                                                   << "A";
    }
    void theMouseOrdersAndTrimsTheList() {
        QFETCH(QString, rows);
        QFETCH(QString, steps);
        QFETCH(QString, after);
        w_->list().append(rows.split(QString(), Qt::SkipEmptyParts));
        play(steps);
        QCOMPARE(w_->shown().join(QString()), after);
    }

    // Twenty rows in a list showing a few: the third of the list the pointer is in decides the scrolling.
    void anExchangeNearTheTopOrBottomBringsTheNextRowIntoView() {
        for (int i = 0; i < 20; ++i) {
            w_->list().append(QString::number(i));
        }
        QScrollBar& bar = *w_->view().verticalScrollBar();
        const int last = w_->view().indexAt({10, w_->view().viewport()->height() - 2}).row();
        play(QStringLiteral("c%1 p%1 m%2 r%2").arg(last - 1).arg(last));
        QCOMPARE(bar.value(), 1);
        play(QStringLiteral("c2 p2 m1 r1"));
        QCOMPARE(bar.value(), 0);
    }

    void anEmptyListSaysSoAndStartsNothing() {
        w_->click("Check2");
        QCOMPARE(w_->boxes.seen.size(), 1u);
        QCOMPARE(w_->boxes.seen[0].text, QStringLiteral("No files added."));
        QVERIFY(!busy());
        QCOMPARE(w_->fake.documentsOpened(), 0);
    }

    // Each run takes the choices of the moment, and the progress bar runs to the end and back to nothing.
    void eachRunTakesTheListAndTheChoicesOfTheMoment() {
        add("first.txt", "a,b;c d\te\r\n");
        add("second.txt", "z\r\n");
        const struct {
            const char* layout;
            const char* rule;
            QString text1;
            QString document;
        } runs[] = {
            {"Option5", "Option1", ",", "a,b;c d\te/z"}, {"Option6", "Option3", "", "z#a|b;c d\te"},
            {"Option5", "Option4", ";", "a,b|c d\te/z"}, {"Option6", "Option2", "", "z#a,b;c|d\te"},
            {"Option5", "Option7", "", "a,b;c d|e/z"},
        };
        QSignalSpy progress(w_->control<QProgressBar>("ProgressBar1"), &QProgressBar::valueChanged);
        for (const auto& run : runs) {
            w_->control<QRadioButton>(run.layout)->click();
            w_->control<QRadioButton>(run.rule)->click();
            w_->control<QLineEdit>("Text1")->setText(run.text1);
            w_->click("Check2");
            waitForTheEnd();
            QCOMPARE(contents(w_->fake), run.document);
        }
        QVERIFY(progress.contains({100}));
        QCOMPARE(progress.constLast(), QList<QVariant>{0});
    }

    // The office holds the run in its first file meanwhile. Checks wait for the run: the job's end waits for it.
    void whileRunningTheWaitPointerStandsASecondPressIsIgnoredAndClosingStopsTheRun() {
        add("a.txt", "a\r\n");
        add("b.txt", "b\r\n");
        w_->control<QRadioButton>("Option6")->click();
        std::binary_semaphore held{0}, released{0};
        w_->fake.beforeCall = [&](const QString& call) {
            if (call == u"insertSheet atxt") {
                held.release();
                released.acquire();
            }
        };
        w_->click("Check2");
        held.acquire();
        w_->click("Check2");
        const bool busyMeanwhile = busy();
        w_->form.close();
        released.release();
        QVERIFY(w_->job.waitUntilIdle(std::chrono::seconds(10)));
        QVERIFY(busyMeanwhile);
        QCOMPARE(w_->fake.documentsOpened(), 1);
        const auto& sheets = w_->fake.lastDocument().sheets;
        QVERIFY(std::none_of(sheets.begin(), sheets.end(), [](const auto& sheet) { return sheet.name == u"btxt"; }));
    }

    void aFailureIsShownAsPlainTextOnceTheWindowIsIdle() {
        w_->list().append(w_->files.path(QStringLiteral("<b>missing</b>.txt")));
        w_->click("Check2");
        QTRY_COMPARE(w_->boxes.seen.size(), 1u);
        const SeenBox& box = w_->boxes.seen[0];
        QCOMPARE(box.icon, QMessageBox::Warning);
        QVERIFY2(box.text.contains(u"<b>missing</b>.txt"), qPrintable(box.text));
        QCOMPARE(box.format, Qt::PlainText);
        QVERIFY(!box.waitPointer);
        waitForTheEnd();
    }

    // Latin-1 names, as an old archive may hold: walked, listed with a replacement mark, read by their bytes and
    // named as sheets from what can be shown.
    void namesThatAreNotUtf8AreWalkedShownAndRead() {
        const std::string tree = QFile::encodeName(root()).toStdString() + "tree/";
        // The temporary folder removes itself by names that are text, which these are not.
        const auto removeTree = qScopeGuard([&] { std::filesystem::remove_all(tree); });
        QVERIFY(std::filesystem::create_directories(tree + "d\xE9j\xE0"));
        std::ofstream(tree + "caf\xE9.txt") << "c";
        std::ofstream(tree + "d\xE9j\xE0/x.txt") << "d";
        w_->picker.folder = QString::fromStdString(tree);
        w_->click("Check4");
        QTRY_COMPARE(w_->list().rowCount(), 2);
        QCOMPARE(w_->list().paths()[0].bytes, QByteArray::fromStdString(tree + "caf\xE9.txt"));
        QCOMPARE(w_->shown(), QStringList({w_->picker.folder + u"caf\uFFFD.txt"_qs,
                                           w_->picker.folder + u"d\uFFFDj\uFFFD/x.txt"_qs}));
        w_->control<QRadioButton>("Option6")->click();
        w_->click("Check2");
        waitForTheEnd();
        QCOMPARE(contents(w_->fake), QStringLiteral("d#c"));
        QCOMPARE(w_->fake.lastDocument().sheets[1].name, QStringLiteral("caftxt"));
    }
};

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
