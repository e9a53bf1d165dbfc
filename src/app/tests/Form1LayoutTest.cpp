#include "AnsweringPicker.h"
#include "FindControl.h"
#include "app/Form1.h"
#include "filelist/FileListModel.h"
#include "filelist/FileListView.h"
#include "import/ImportJob.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
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

// The window at 96 dots per inch, where 15 twips make a pixel.
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
    void initTestCase() { QCOMPARE(QWidget().logicalDpiX(), 96); }

    void init() {
        form_ = std::make_unique<Form1>(job_, picker_, programFolder_.path());
        form_->show();
        QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    }
    void cleanup() { form_.reset(); }

    void windowIsFixedWhiteTitledAndWithoutIcon() {
        QCOMPARE(form_->windowTitle(), QStringLiteral("Quillmere"));
        QCOMPARE(form_->size(), QSize(442, 450));
        QCOMPARE(form_->minimumSize(), form_->maximumSize());
        QVERIFY(!(form_->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(form_->windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(form_->palette().color(QPalette::Window), QColor(Qt::white));
        QImage clear(32, 32, QImage::Format_ARGB32);
        clear.fill(Qt::transparent);
        QCOMPARE(form_->windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32), clear);
    }

    void controlsStandInPlaceWithCaptionsAndFonts_data() {
        QTest::addColumn<QString>("container");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<qreal>("points");
        const auto row = [](const char* name, const char* container, QRect geometry, const char* caption,
                            qreal points) {
            QTest::newRow(name) << QString::fromLatin1(container) << geometry << QString::fromLatin1(caption) << points;
        };
        row("ListView1", "Form1", {8, 8, 425, 105}, "", 9);
        row("Check1", "Form1", {8, 120, 137, 73}, "Add Text File(s)", 11.25);
        row("Check4", "Form1", {152, 120, 137, 73}, "Add All File(s) In Folder", 11.25);
        row("Check2", "Form1", {296, 120, 137, 73}, "Import To Calc", 11.25);
        row("Frame2", "Form1", {8, 193, 425, 73}, "", 0);
        row("Frame1", "Form1", {8, 265, 425, 145}, "", 0);
        row("ProgressBar1", "Form1", {8, 416, 425, 25}, "", 0);
        row("Command1", "Form1", {-48, 176, 41, 33}, "Command1", 0);
        row("Option5", "Frame2", {16, 16, 377, 17}, "Import all text files to a single sheet", 9);
        row("Option6", "Frame2", {16, 40, 385, 17},
            "Import all text files to individual sheets and name sheets by file", 9);
        row("Option1", "Frame1", {16, 16, 377, 17}, "Do not create new columns in Excel by specific character", 9);
        row("Option2", "Frame1", {16, 40, 361, 17}, "Create a new column in Excel for every space in text file", 9);
        row("Option3", "Frame1", {16, 64, 361, 17}, "Create a new column in Excel for every comma in text file", 9);
        // Wider than laid out where the caption needs it, but clear of Text1.
        row("Option4", "Frame1", {16, 88, -1, 17}, "Create a new column in Excel for every X in text file", 9);
        row("Text1", "Frame1", {336, 85, 65, 22}, "", 9);
        row("Option7", "Frame1", {16, 112, 341, 17}, "Create a new column in Excel for every tab in text file", 9);
    }
    void controlsStandInPlaceWithCaptionsAndFonts() {
        QFETCH(QString, container);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        QFETCH(qreal, points);
        const QWidget* widget = control(QTest::currentDataTag());
        QCOMPARE(widget->parentWidget()->objectName(), container);
        if (geometry.width() > 0) {
            QCOMPARE(widget->geometry(), geometry);
        } else {
            QCOMPARE(widget->geometry().topLeft(), geometry.topLeft());
            QCOMPARE(widget->height(), geometry.height());
        }
        if (qobject_cast<const QRadioButton*>(widget)) {
            QVERIFY2(widget->width() >= widget->sizeHint().width(), "the caption is cut short");
        }
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            QCOMPARE(button->text(), caption);
            QVERIFY(!button->isCheckable() || qobject_cast<const QRadioButton*>(widget));
        }
        if (points > 0) {
            const QFontInfo font(widget->font());
            QVERIFY2(QStringList({"Arial", "Liberation Sans"}).contains(font.family()), qPrintable(font.family()));
            QCOMPARE(widget->font().pointSizeF(), points);
            QVERIFY(font.bold());
        }
        QVERIFY(widget->isVisible() && widget->isEnabled());
    }

    void option4StopsShortOfText1() {
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
        QCOMPARE(control<QLineEdit>("Text1")->text(), QString());
        const auto* bar = control<QProgressBar>("ProgressBar1");
        QCOMPARE(bar->value(), 0);
        QCOMPARE(bar->minimum(), 0);
        QCOMPARE(bar->maximum(), 100);
        QCOMPARE(bar->orientation(), Qt::Horizontal);
        QCOMPARE(QApplication::focusWidget(), control("Command1"));
        for (const char* name : {"Check1", "Check2", "Check4"}) {
            QVERIFY(!control<QAbstractButton>(name)->isDown());
        }
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

    void typingIntoText1SelectsNothing() {
        auto* text = control<QLineEdit>("Text1");
        QTest::mouseClick(text, Qt::LeftButton);
        QTest::keyClicks(text, QStringLiteral(";|"));
        QCOMPARE(text->text(), QStringLiteral(";|"));
        QCOMPARE(checkedOptions(), QStringList({"Option1", "Option5"}));
    }
};

QTEST_MAIN(Form1LayoutTest)
#include "Form1LayoutTest.moc"
