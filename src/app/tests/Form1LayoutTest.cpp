#include "AnsweringPicker.h"
#include "FindControl.h"
#include "app/Form1.h"
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"
#include "import/ImportJob.h"

#include <QHeaderView>
#include <QProgressBar>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

using namespace quillmere;

namespace {

const QString ListTip =
    QStringLiteral("Drag and drop files here. Double-click item to remove it. Move bar to right and "
                   "out of window to reveal full names.");

} // namespace

// The window at 96 dots per inch.
class Form1LayoutTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir programFolder_;
    ImportJob job_{[] { return std::unique_ptr<SpreadsheetOffice>(); }};
    testing::AnsweringPicker picker_;
    std::unique_ptr<Form1> form_;

    template <typename Control = QWidget>
    Control* control(const char* name) const {
        return testing::findControl<Control>(*form_, QString::fromLatin1(name));
    }
    QRadioButton* option(int number) const {
        return control<QRadioButton>(QStringLiteral("Option%1").arg(number).toLatin1().constData());
    }
    QStringList checkedOptions() const {
        QStringList checked;
        for (int number = 1; number <= 7; ++number) {
            if (option(number)->isChecked()) {
                checked << option(number)->objectName();
            }
        }
        return checked;
    }

private slots:
    void init() {
        form_ = std::make_unique<Form1>(job_, picker_, programFolder_.path());
        form_->show();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }
    void cleanup() { form_.reset(); }

    void windowIsFixedAndTitled() {
        QCOMPARE(form_->windowTitle(), QStringLiteral("Quillmere"));
        QCOMPARE(form_->minimumSize(), form_->maximumSize());
        QVERIFY(!(form_->windowFlags() & Qt::WindowMaximizeButtonHint));
    }

    // Qt's option marks and fallback fonts are wider than the layout's measures were made for.
    void everyCaptionShowsWholeAndOption4StopsShortOfText1() {
        for (const QRadioButton* option : form_->findChildren<QRadioButton*>()) {
            QVERIFY2(option->width() >= option->sizeHint().width(), qPrintable(option->objectName()));
            QVERIFY(QFontInfo(option->font()).bold());
        }
        QVERIFY(control("Option4")->geometry().right() < control("Text1")->geometry().left());
    }

    void listHasOneColumnTheTipAndNoRows() {
        auto* list = control<FileListView>("ListView1");
        QCOMPARE(list->model()->columnCount(), 1);
        QCOMPARE(list->model()->rowCount(), 0);
        QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Text File(s)"));
        QCOMPARE(list->columnWidth(0), 353);
        QVERIFY(!list->header()->isHidden());
        QCOMPARE(list->header()->sectionResizeMode(0), QHeaderView::Interactive);

        qobject_cast<FileListModel*>(list->model())->append(QStringLiteral("/a.txt"));
        const QPoint onRow = list->visualRect(list->model()->index(0, 0)).center();
        const QPoint belowRows(10, list->viewport()->height() - 5);
        for (const QPoint where : {onRow, belowRows}) {
            QHelpEvent help(QEvent::ToolTip, where, list->viewport()->mapToGlobal(where));
            QApplication::sendEvent(list->viewport(), &help);
            QCOMPARE(QToolTip::text(), ListTip);
            QToolTip::hideText();
        }
    }

    void opensWithDefaultChoicesAndTheFocusOutOfSight() {
        QCOMPARE(checkedOptions(), QStringList({"Option1", "Option5"}));
        QCOMPARE(control<QProgressBar>("ProgressBar1")->value(), 0);
        QCOMPARE(QApplication::focusWidget(), control("Command1"));
        QVERIFY(!control("Command1")->geometry().intersects(form_->rect()));
    }

    void tabVisitsTheControlsInOrderAndEntersGroupsAtTheirChoice() {
        QStringList visited;
        for (int step = 0; step < 8; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            visited << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(visited,
                 QStringList({"Check1", "Check2", "ListView1", "Check4", "Text1", "Option1", "Option5", "Command1"}));
        option(3)->setChecked(true);
        option(6)->setChecked(true);
        control("Text1")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), option(3));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), option(6));

        QTest::keyClick(option(6), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), option(5));
        control("Command1")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), option(5));
    }

    void optionGroupsAreIndependent() {
        QTest::mouseClick(option(6), Qt::LeftButton);
        QCOMPARE(checkedOptions(), QStringList({"Option1", "Option6"}));
        for (const int number : {2, 4, 7, 3}) {
            QTest::mouseClick(option(number), Qt::LeftButton);
            QStringList expected{option(number)->objectName(), "Option6"};
            expected.sort();
            QCOMPARE(checkedOptions(), expected);
        }
        QTest::mouseClick(option(5), Qt::LeftButton);
        QCOMPARE(checkedOptions(), QStringList({"Option3", "Option5"}));
    }
};

QTEST_MAIN(Form1LayoutTest)
#include "Form1LayoutTest.moc"
