#include "TestWindow.h"
#include "testsupport/DocumentReadback.h"
#include "testsupport/PrivateOffice.h"

#include <QRadioButton>

using namespace quillmere;
using namespace quillmere::testing;

// The whole way from the window to a real office: fill the list, press the button, read the document.
class OfficeImportTest : public QObject {
    Q_OBJECT

private slots:
    void pressingImportWritesTheListIntoANewDocument() {
        PrivateOffice privateOffice;
        const auto connection = privateOffice.connect();
        RecordingOffice office(*connection);
        // Each run's office passes through to this one, which keeps the document; as its base, so it is not copied.
        TestWindow window({},
                          [&] { return std::make_unique<RecordingOffice>(static_cast<SpreadsheetOffice&>(office)); });
        window.list().append(window.files.write(u"notes.txt"_qs, "x,y\nz\n"));
        window.list().append(window.files.write(u"more.txt"_qs, "0012,=1+2"));
        window.control<QRadioButton>("Option6")->click();
        window.control<QRadioButton>("Option3")->click();
        window.click("Check2");
        QTRY_VERIFY_WITH_TIMEOUT(!window.job.isRunning() && !busy(), 60'000);
        QVERIFY(window.boxes.empty());
        using Rows = std::vector<std::vector<QString>>;
        QVERIFY(inspect::readDocument(*office.lastDocument()) ==
                inspect::DocumentContents({{u"moretxt"_qs, Rows{{u"0012"_qs, u"=1+2"_qs}}, QString()},
                                           {u"notestxt"_qs, Rows{{u"x"_qs, u"y"_qs}, {u"z"_qs}}, QString()}}));
    }
};

QTEST_MAIN(OfficeImportTest)
#include "OfficeImportTest.moc"
