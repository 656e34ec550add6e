#pragma once

#include <QByteArray>
#include <QString>

namespace Processing {

// The few file operations where following a link or waiting on a pipe would be a hazard.
// POSIX calls where the system has them; the nearest Qt call elsewhere (Windows has no FIFO
// to wait on, and its CREATE_NEW does not follow a link).

struct FileContents
{
    bool exists = false;
    QByteArray bytes;
    QString refusal; // why the file was not read, with its path; empty when it was
};

// Reads a regular file whole, up to `limit` bytes. It is opened without waiting (a FIFO would
// hold the caller until someone writes to it) and its type is checked on the open file before
// anything is read: a FIFO, a device, a socket or a folder is refused.
FileContents ReadRegularFile(const QString &path, qint64 limit);

// Whether the file can be opened for reading, learnt without waiting: opening a FIFO the usual
// way waits until someone writes to it.
bool OpensForReading(const QString &path);

// Makes a new empty file for its owner only (mode 0600), never through a link: a file or a
// link already at the path, even one that leads nowhere, is refused. Returns why it could not
// be made, or an empty text.
QString CreateOwnerOnlyFile(const QString &path);

// Why the file at the path cannot be read as a regular file (what it is instead, or the
// system's reason), learnt without waiting and without following a link; empty when it can.
QString RegularFileProblem(const QString &path);

// Sets a regular file's mode to 0600, never through a link. Returns why it could not, or an
// empty text.
QString NarrowToOwnerOnly(const QString &path);

// Why the file or folder cannot be written by this user, or an empty text.
QString WriteProblem(const QString &path);

// Makes the folder and any missing folders above it, each for its owner only (mode 0700)
// whatever the umask. Returns the first folder that could not be made, or an empty text, and
// in `why` the system's reason.
QString MakeOwnerOnlyFolders(const QString &path, QString *why = nullptr);

// Throws DbError naming the path when a symbolic link lies there, whether it leads anywhere or not.
void RefuseLinkedDatabase(const QString &path);

} // namespace Processing
