#include "app/CenterForm.h"
#include "app/EndSignals.h"

#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <csignal>

using namespace quillmere;

class StartUpTest : public QObject {
    Q_OBJECT

private slots:
    // The halving is single-precision, rounded, and nothing is clamped.
    void centerFormHalvesWithoutClamping() {
        const auto place = [](QRect screen, QSize window) {
            QWidget form;
            form.resize(window);
            CenterForm(form, screen);
            return form.pos();
        };
        QCOMPARE(place({0, 0, 1280, 1024}, {441, 451}), QPoint(420, 287));
        QCOMPARE(place({0, 0, 400, 300}, {500, 420}), QPoint(-50, -60));
        QCOMPARE(place({1280, 100, 800, 600}, {400, 200}), QPoint(1480, 300));
    }

    // The frame is only known once shown, and the size at construction does not decide the place.
    void aWindowIsCentredByItsFrameWhenShown() {
        QWidget form;
        CenterFormWhenShown(form);
        form.resize(442, 450);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QSize room = form.screen()->size() - form.frameGeometry().size();
        QVERIFY(form.frameGeometry().size() != form.size());
        QTRY_COMPARE(form.frameGeometry().topLeft(),
                     form.screen()->geometry().topLeft() + QPoint(room.width(), room.height()) / 2);
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
};

QTEST_MAIN(StartUpTest)
#include "StartUpTest.moc"
