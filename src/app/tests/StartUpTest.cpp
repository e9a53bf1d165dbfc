#include "app/CenterForm.h"
#include "app/EndSignals.h"
#include "app/FileExists.h"
#include "app/HomePage.h"
#include "app/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <csignal>
#include <set>

using namespace quillmere;

class StartUpTest : public QObject {
    Q_OBJECT

private slots:
    void centerFormHalvesWithoutClamping_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<QPoint>("place");
        QTest::newRow("smaller") << QRect(0, 0, 1280, 1024) << QSize(442, 450) << QPoint(419, 287);
        QTest::newRow("600 twips wider") << QRect(0, 0, 400, 300) << QSize(440, 300) << QPoint(-20, 0);
        QTest::newRow("larger both ways") << QRect(0, 0, 400, 300) << QSize(500, 420) << QPoint(-50, -60);
        QTest::newRow("second screen") << QRect(1280, 100, 800, 600) << QSize(400, 200) << QPoint(1480, 300);
    }
    void centerFormHalvesWithoutClamping() {
        QFETCH(QRect, screen);
        QFETCH(QSize, window);
        QFETCH(QPoint, place);
        QWidget form;
        form.resize(window);
        CenterForm(form, screen);
        QCOMPARE(form.pos(), place);
    }

    // The frame is only known once shown: the size at construction does not decide the place.
    void aWindowIsCentredWhenShownAtTheSizeItHasThen() {
        QWidget form;
        form.resize(100, 80);
        CenterFormWhenShown(form);
        form.resize(442, 450);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QRect screen = form.screen()->geometry();
        QTRY_COMPARE(form.frameGeometry().topLeft(),
                     screen.topLeft() + QPoint((screen.width() - form.frameGeometry().width()) / 2,
                                               (screen.height() - form.frameGeometry().height()) / 2));
    }

    void anEndingSignalArrivesThroughTheEventLoop_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("logout") << SIGTERM;
        QTest::newRow("terminal closed") << SIGHUP;
        QTest::newRow("Ctrl+C") << SIGINT;
    }
    void anEndingSignalArrivesThroughTheEventLoop() {
        QFETCH(int, signal);
        const EndSignals endSignals;
        QSignalSpy received(&endSignals, &EndSignals::received);
        QVERIFY(std::raise(signal) == 0);
        QCOMPARE(received.size(), 0);
        QTRY_COMPARE(received.size(), 1);
    }

    void fileExistsForFilesAndFoldersOnly() {
        const QTemporaryDir dir;
        const QString file = QDir(dir.path()).filePath(QStringLiteral("a.txt"));
        QFile(file).open(QIODevice::WriteOnly);
        QVERIFY(FileExists(file));
        QVERIFY(FileExists(dir.path()));
        QVERIFY(!FileExists(file + QStringLiteral(".missing")));
        QVERIFY(!FileExists(QString()));
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        QVERIFY(!FileExists(file + QChar(0) + QStringLiteral("tail")));
    }

    // About one start in a hundred: the draw covers 1 to 100, and only 7 opens the page.
    void homePageOpensOnOneDrawInAHundred() {
        const QUrl page = HomePage(QStringLiteral("/opt/quillmere"));
        QCOMPARE(page, QUrl(QStringLiteral("file:///opt/quillmere/README.md")));
        std::set<int> drawn;
        for (int i = 0; i < 20'000; ++i) {
            drawn.insert(DrawOneToHundred());
        }
        QCOMPARE(drawn.size(), 100u);
        QCOMPARE(*drawn.begin(), 1);
        QCOMPARE(*drawn.rbegin(), 100);
        for (const int n : {1, 6, 7, 8, 100}) {
            QList<QUrl> opened;
            MaybeOpenHomePage(
                page, [n] { return n; },
                [&opened](const QUrl& url) {
                    opened << url;
                    return true;
                });
            QCOMPARE(opened, n == 7 ? QList<QUrl>{page} : QList<QUrl>{});
        }
    }

    void theHomePageShipsBesideTheProgram() {
        QVERIFY(FileExists(HomePage(QStringLiteral(QUILLMERE_PROGRAM_DIR)).toLocalFile()));
    }

    // Installed, the command in bin/ is a relative link to the program in its own folder beside its files.
    void theProgramFolderIsWhereTheCommandLinkLeads() {
        const QTemporaryDir root;
        const QDir usr(QDir(root.path()).filePath(QStringLiteral("usr")));
        QVERIFY(usr.mkpath(QStringLiteral("bin")) && usr.mkpath(QStringLiteral("lib/quillmere")));
        QVERIFY(QFile::copy(QStringLiteral(QUILLMERE_PROGRAM_FOLDER_PROBE),
                            usr.filePath(QStringLiteral("lib/quillmere/quillmere"))));
        const QString command = usr.filePath(QStringLiteral("bin/quillmere"));
        QVERIFY(QFile::link(QStringLiteral("../lib/quillmere/quillmere"), command));

        QProcess program;
        program.start(command);
        QVERIFY(program.waitForFinished(-1));
        QCOMPARE(program.exitCode(), 0);
        QCOMPARE(QString::fromLocal8Bit(program.readAllStandardOutput()).trimmed(),
                 QDir(usr.filePath(QStringLiteral("lib/quillmere"))).canonicalPath());
    }
};

QTEST_MAIN(StartUpTest)
#include "StartUpTest.moc"
