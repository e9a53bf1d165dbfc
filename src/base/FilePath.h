#pragma once

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>

namespace quillmere {

// A path as the exact bytes the file system knows it by, with the text it is shown as, where bytes that are not
// UTF-8 become U+FFFD. The file is reached by the bytes only; the text is for the eye, messages and sheet names.
struct FilePath {
    FilePath() = default;
    // A path that arrives as text, from a dialog or a drop: its bytes are the text's file-system form. Implicit, as
    // text is how such paths arrive.
    FilePath(const QString& text);
    // A path as the file system gave it.
    static FilePath fromBytes(QByteArray bytes);

    QByteArray bytes;
    QString shown;

    friend bool operator==(const FilePath&, const FilePath&) = default;
};

QList<FilePath> filePaths(const QStringList& texts);
QStringList shownPaths(const QList<FilePath>& paths);

} // namespace quillmere

Q_DECLARE_METATYPE(quillmere::FilePath)
