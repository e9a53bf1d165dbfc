#include "office/OfficeError.h"
#include "office/SpreadsheetConnection.h"
#include "testsupport/GTestQt.h"
#include "testsupport/TextFiles.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace quillmere;
using namespace quillmere::testing;
using namespace quillmere::office;
using namespace std::chrono_literals;

// Stand-in offices only: a program folder on UNO_PATH whose soffice runs the script, or none; the one that never
// answers ends with this program. A start that waits without a bound fails by the test's time-out.
TEST(OfficeStart, AnOfficeThatEndsNeverAnswersOrIsMissingIsGivenUpSayingWhatToCheck) {
    const QByteArray silent = "exec tail -f /dev/null --pid=" + QByteArray::number(QCoreApplication::applicationPid());
    const std::tuple<QByteArray, std::chrono::milliseconds, const char*> cases[] = {
        {"exit 0", 2s, "LibreOffice did not start (%1 ended without answering): check"},
        {silent, 2s, "LibreOffice did not start (%1 gave no answer within 2 seconds): check that"},
        {"", SpreadsheetConnection::StartLimit * 100, "LibreOffice was not found (there is no program %1): install"}};
    for (const auto& [script, limit, says] : cases) {
        TextFiles folder;
        qputenv("UNO_PATH", QFile::encodeName(folder.dir().path()));
        if (!script.isEmpty()) {
            QFile::setPermissions(folder.write(u"soffice"_s, "#!/bin/sh\n" + script),
                                  QFile::ReadOwner | QFile::ExeOwner);
        }
        const auto error = thrown<OfficeError>([&] { SpreadsheetConnection::connectToUserOffice(limit); });
        ASSERT_TRUE(error) << "the stand-in office was reached";
        EXPECT_TRUE(error->message().startsWith(QString::fromLatin1(says).arg(folder.path(u"soffice"_s))))
            << error->message().toStdString();
    }
    qunsetenv("UNO_PATH");
}
