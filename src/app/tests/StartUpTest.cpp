#include "app/CenterForm.h"
#include "app/EndSignals.h"
#include "app/FileExists.h"
#include "app/HomePage.h"

#include <QScreen>
#include <QSignalSpy>
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
        QTest::newRow("smaller") << QRect(0, 0, 1280, 1024) << QSize(441, 450) << QPoint(420, 287);
        QTest::newRow("larger") << QRect(0, 0, 400, 300) << QSize(500, 420) << QPoint(-50, -60);
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

    // The frame is only known once shown, and the size at construction does not decide the place.
    void aWindowIsCentredByItsFrameWhenShown() {
        QWidget form;
        CenterFormWhenShown(form);
        form.resize(442, 450);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QRect screen = form.screen()->geometry();
        QVERIFY(form.frameGeometry().size() != form.size());
        QTRY_COMPARE(form.frameGeometry().topLeft(),
                     screen.topLeft() + QPoint(screen.width() - form.frameGeometry().width(),
                                               screen.height() - form.frameGeometry().height()) /
                                            2);
    }

    void logoutAClosedTerminalOrCtrlCArriveThroughTheEventLoop() {
        const EndSignals endSignals;
        QSignalSpy received(&endSignals, &EndSignals::received);
        for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
            const qsizetype before = received.size();
            QVERIFY(std::raise(signal) == 0);
            QTRY_COMPARE(received.size(), before + 1);
        }
    }

    // About one start in a hundred: the draw covers 1 to 100, and 7 opens the page that ships beside the program.
    void theHomePageOpensOnADrawOfSeven() {
        std::set<int> drawn;
        for (int i = 0; i < 20'000; ++i) {
            drawn.insert(DrawOneToHundred());
        }
        QCOMPARE(drawn.size(), 100u);
        QCOMPARE(*drawn.begin(), 1);
        const QUrl page = HomePage(QStringLiteral(QUILLMERE_PROGRAM_DIR));
        QVERIFY(FileExists(page.toLocalFile()));
        QList<int> opened;
        for (const int n : {6, 7, 8}) {
            MaybeOpenHomePage(
                page, [n] { return n; }, [&opened, n](const QUrl&) { return opened << n, true; });
        }
        QCOMPARE(opened, QList<int>{7});
    }
};

QTEST_MAIN(StartUpTest)
#include "StartUpTest.moc"
