#include "import/office/OfficeError.h"
#include "import/office/SpreadsheetConnection.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <signal.h>

using namespace quillmere;
using namespace std::chrono_literals;

namespace {

// A program folder on UNO_PATH whose soffice is the given script, or none; it leaves nothing running behind.
class StandInOffice {
public:
    explicit StandInOffice(const QByteArray& script) {
        qputenv("UNO_PATH", folder_.path().toLocal8Bit());
        if (script.isEmpty()) {
            return;
        }
        QFile soffice(folder_.filePath(QStringLiteral("soffice")));
        if (!soffice.open(QIODevice::WriteOnly) || soffice.write("#!/bin/sh\necho $$ > \"$0.pid\"\n" + script) < 0) {
            throw std::runtime_error("cannot write the stand-in office");
        }
        soffice.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    ~StandInOffice() {
        QFile pid(folder_.filePath(QStringLiteral("soffice.pid")));
        if (pid.open(QIODevice::ReadOnly)) {
            ::kill(pid_t(pid.readAll().trimmed().toInt()), SIGKILL);
        }
        qunsetenv("UNO_PATH");
    }
    StandInOffice(const StandInOffice&) = delete;
    StandInOffice& operator=(const StandInOffice&) = delete;

private:
    QTemporaryDir folder_;
};

QString startFailure(std::chrono::milliseconds limit) {
    try {
        SpreadsheetConnection::connectToUserOffice(limit);
    } catch (const OfficeError& e) {
        return e.message();
    }
    ADD_FAILURE() << "the stand-in office was reached";
    return {};
}

} // namespace

TEST(OfficeStart, AnOfficeThatEndsOrNeverAnswersIsGivenUpSayingWhatToCheck) {
    const struct {
        const char* script;
        const char16_t* says;
    } cases[] = {
        {"exit 0\n", u"ended without answering"},
        {"exec sleep 1000\n", u"gave no answer within 2 seconds"},
    };
    for (const auto& [script, says] : cases) {
        const StandInOffice office(script);
        const QString message = startFailure(2s);
        EXPECT_TRUE(message.startsWith(u"LibreOffice did not start")) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf16(says))) << message.toStdString();
        EXPECT_TRUE(message.contains(u"check that")) << message.toStdString();
    }
}

// Even with the longest wait, a missing office is reported before any wait.
TEST(OfficeStart, AFolderWithoutAnOfficeIsReportedAtOnce) {
    const StandInOffice office({});
    const QString message = startFailure(SpreadsheetConnection::StartLimit * 100);
    EXPECT_TRUE(message.startsWith(u"LibreOffice was not found")) << message.toStdString();
    EXPECT_TRUE(message.contains(u"libreoffice-calc"));
}
