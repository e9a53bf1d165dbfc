#include "AnsweringPicker.h"
#include "FindControl.h"
#include "app/Form1.h"
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"
#include "import/ImportJob.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace quillmere;

namespace {

const QString ProgramFolder = QStringLiteral(QUILLMERE_PROGRAM_DIR);

// What the mouse shows over the widget: the program-wide pointer when one is set, else the widget's own.
Qt::CursorShape shownOver(const QWidget* widget) {
    const QCursor* busy = QGuiApplication::overrideCursor();
    return busy ? busy->shape() : widget->cursor().shape();
}

QByteArray drawnHandFile() {
    QFile file(QDir(ProgramFolder).filePath(QStringLiteral("HAND-M.CUR")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class PointerTest : public QObject {
    Q_OBJECT

private:
    ImportJob job_{[] { return std::unique_ptr<SpreadsheetOffice>(); }};
    testing::AnsweringPicker picker_;

    static QWidget* control(const Form1& form, const QString& name) { return testing::findControl(form, name); }
    static QList<QWidget*> buttons(Form1& form) {
        return {control(form, "Check1"), control(form, "Check2"), control(form, "Check4")};
    }
    // Every area that shows the default pointer.
    static QList<QWidget*> plainAreas(Form1& form) {
        QList<QWidget*> areas{&form, control(form, "Frame1"), control(form, "Frame2"), control(form, "ProgressBar1")};
        for (int number = 1; number <= 7; ++number) {
            areas << control(form, QStringLiteral("Option%1").arg(number));
        }
        const auto* list = qobject_cast<FileListView*>(control(form, "ListView1"));
        areas << list->viewport() << list->header()->viewport();
        return areas;
    }
    static void expectIdlePointers(Form1& form, Qt::CursorShape hand) {
        for (const QWidget* button : buttons(form)) {
            QCOMPARE(shownOver(button), hand);
        }
        for (const QWidget* area : plainAreas(form)) {
            QCOMPARE(shownOver(area), Qt::ArrowCursor);
        }
        QCOMPARE(shownOver(control(form, "Text1")), Qt::IBeamCursor);
    }

private slots:
    void theDrawnCursorFileGivesTheButtonsItsPicture() {
        Form1 form(job_, picker_, ProgramFolder);
        expectIdlePointers(form, Qt::BitmapCursor);
        const QCursor hand = control(form, "Check2")->cursor();
        QCOMPARE(hand.pixmap().size(), QSize(32, 32));
        QCOMPARE(hand.hotSpot(), QPoint(12, 1));

        auto& list = *qobject_cast<FileListView*>(control(form, "ListView1"));
        qobject_cast<FileListModel*>(list.model())->append(QStringLiteral("/a.txt"));
        const QPoint row = list.visualRect(list.model()->index(0, 0)).center();
        QTest::mousePress(list.viewport(), Qt::LeftButton, {}, row);
        QCOMPARE(list.viewport()->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(list.viewport()->cursor().pixmap().size(), QSize(32, 32));
        QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, row);
        QCOMPARE(list.viewport()->cursor().shape(), Qt::ArrowCursor);
    }

    void aDamagedCursorFileIsIgnored_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("folder");
        QTest::newRow("absent") << QByteArray() << false;
        QTest::newRow("text") << QByteArray("not a cursor at all\n") << false;
        QTest::newRow("cut short") << drawnHandFile().left(100) << false;
        QTest::newRow("folder") << QByteArray() << true;
    }
    void aDamagedCursorFileIsIgnored() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, folder);
        const QTemporaryDir programFolder;
        const QString path = QDir(programFolder.path()).filePath(QStringLiteral("HAND-M.CUR"));
        if (folder) {
            QVERIFY(QDir().mkdir(path));
        } else if (QTest::currentDataTag() != QByteArrayLiteral("absent")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        }
        Form1 form(job_, picker_, programFolder.path());
        expectIdlePointers(form, Qt::PointingHandCursor);
    }
};

QTEST_MAIN(PointerTest)
#include "PointerTest.moc"
