#include "data/safety/FileAccess.h"

#include "data/DbError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace Processing {

namespace {

#ifdef Q_OS_UNIX
QString systemError(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString kindOf(mode_t mode)
{
    if (S_ISFIFO(mode))
        return QCoreApplication::translate("Processing", "a FIFO");
    if (S_ISDIR(mode))
        return QCoreApplication::translate("Processing", "a folder");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QCoreApplication::translate("Processing", "a device");
    if (S_ISSOCK(mode))
        return QCoreApplication::translate("Processing", "a socket");
    return QCoreApplication::translate("Processing", "a special file");
}

// The file itself opened to look at or change its rights: never through a link, never waiting
// on a FIFO's writer, never taking a terminal.
int openInPlace(const QString &path)
{
    return ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC);
}
#endif

} // namespace

FileContents ReadRegularFile(const QString &path, qint64 limit)
{
    FileContents contents;
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        contents.exists = error != ENOENT && error != ENOTDIR;
        if (contents.exists)
            contents.refusal = QCoreApplication::translate("Processing", "The file %1 cannot be read: %2.")
                                   .arg(path, systemError(error));
        return contents;
    }
    contents.exists = true;
    struct stat status = {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        contents.refusal =
            QCoreApplication::translate("Processing", "The file %1 cannot be read: it is %2, not a regular file.")
                .arg(path, kindOf(status.st_mode));
        ::close(fd);
        return contents;
    }
    // A regular file never blocks; reading it the ordinary way from here on.
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFile::AutoCloseHandle)) {
        ::close(fd);
        contents.refusal =
            QCoreApplication::translate("Processing", "The file %1 cannot be read: %2.").arg(path, file.errorString());
        return contents;
    }
#else
    QFile file(path);
    if (!QFileInfo::exists(path))
        return contents;
    contents.exists = true;
    if (const QFileInfo info(path); !info.isFile()) {
        // Worded as on Unix, so that the one kind Windows has here is named.
        contents.refusal =
            info.isDir()
                ? QCoreApplication::translate("Processing",
                                              "The file %1 cannot be read: it is a folder, not a regular file.")
                      .arg(path)
                : QCoreApplication::translate("Processing", "The file %1 cannot be read: it is not a regular file.")
                      .arg(path);
        return contents;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        contents.refusal =
            QCoreApplication::translate("Processing", "The file %1 cannot be read: %2.").arg(path, file.errorString());
        return contents;
    }
#endif
    contents.bytes = file.read(limit + 1);
    if (contents.bytes.size() > limit) {
        contents.bytes.clear();
        contents.refusal =
            QCoreApplication::translate("Processing", "The file %1 cannot be read: it is larger than %2 bytes.")
                .arg(path)
                .arg(limit);
    } else if (file.error() != QFileDevice::NoError) {
        contents.bytes.clear();
        contents.refusal =
            QCoreApplication::translate("Processing", "The file %1 cannot be read: %2.").arg(path, file.errorString());
    }
    return contents;
}

bool OpensForReading(const QString &path)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // As QFile has it: a folder is not a file that opens.
    struct stat status = {};
    const bool opens = ::fstat(fd, &status) == 0 && !S_ISDIR(status.st_mode);
    ::close(fd);
    return opens;
#else
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
#endif
}

QString CreateOwnerOnlyFile(const QString &path)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                          S_IRUSR | S_IWUSR);
    if (fd < 0)
        return systemError(errno);
    // Exactly these rights whatever the umask, which could have taken the owner's own away.
    const int changed = ::fchmod(fd, S_IRUSR | S_IWUSR);
    const int error = errno;
    ::close(fd);
    return changed == 0 ? QString() : systemError(error);
#else
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFile::ReadOwner | QFile::WriteOwner))
        return file.errorString();
    return QString();
#endif
}

QString RegularFileProblem(const QString &path)
{
#ifdef Q_OS_UNIX
    const int fd = openInPlace(path);
    if (fd < 0)
        return systemError(errno);
    struct stat status = {};
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    ::close(fd);
    return regular
               ? QString()
               : QCoreApplication::translate("Processing", "it is %1, not a regular file").arg(kindOf(status.st_mode));
#else
    const QFileInfo info(path);
    if (info.isDir())
        return QCoreApplication::translate("Processing", "it is a folder, not a regular file");
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString() : file.errorString();
#endif
}

QString NarrowToOwnerOnly(const QString &path)
{
#ifdef Q_OS_UNIX
    const int fd = openInPlace(path);
    if (fd < 0)
        return systemError(errno);
    const int changed = ::fchmod(fd, S_IRUSR | S_IWUSR);
    const int error = errno;
    ::close(fd);
    return changed == 0 ? QString() : systemError(error);
#else
    return QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner)
               ? QString()
               : QCoreApplication::translate("Processing", "its permissions could not be set");
#endif
}

QString WriteProblem(const QString &path)
{
#ifdef Q_OS_UNIX
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0 ? QString() : systemError(errno);
#else
    return QFileInfo(path).isWritable() ? QString() : QCoreApplication::translate("Processing", "it is read-only");
#endif
}

QString MakeOwnerOnlyFolders(const QString &path, QString *why)
{
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList missing;
    for (QString folder = absolute; !QFileInfo(folder).isDir();) {
        missing.prepend(folder);
        const QString parent = QFileInfo(folder).absolutePath();
        if (parent == folder)
            break;
        folder = parent;
    }
    const auto failed = [why](const QString &folder, const QString &reason) {
        if (why)
            *why = reason;
        return folder;
    };
    for (const QString &folder : std::as_const(missing)) {
        // Made with the owner's rights, then set to exactly those: a umask of 000 would leave
        // 0777, and one that takes the owner's own rights would leave a folder nobody can use.
#ifdef Q_OS_UNIX
        if (::mkdir(QFile::encodeName(folder).constData(), S_IRWXU) != 0) {
            const int error = errno;
            if (QFileInfo(folder).isDir())
                continue; // made by someone else meanwhile: theirs, left as it is
            return failed(folder, error == EEXIST
                                      ? QCoreApplication::translate("Processing", "a file of that name is in the way")
                                      : systemError(error));
        }
        if (::chmod(QFile::encodeName(folder).constData(), S_IRWXU) != 0)
            return failed(folder, systemError(errno));
#else
        constexpr QFile::Permissions OwnerOnlyFolder = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        if (!QDir().mkdir(folder, OwnerOnlyFolder)) {
            const QString error = qt_error_string();
            if (QFileInfo(folder).isDir())
                continue;
            return failed(folder, error);
        }
        if (!QFile::setPermissions(folder, OwnerOnlyFolder))
            return failed(folder, QCoreApplication::translate("Processing", "its permissions could not be set"));
#endif
    }
    return QString();
}

void RefuseLinkedDatabase(const QString &path)
{
    if (QFileInfo(path).isSymLink())
        throw DbError(QCoreApplication::translate(
                          "Processing", "The database file %1 is a symbolic link. The program does not follow a link "
                                        "to its database, since someone else may have put it there; give the path of "
                                        "the file itself.")
                          .arg(path));
    // SQLite writes its journals beside the database through whatever lies at their names.
    for (const QString &suffix : {QStringLiteral("-journal"), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
        if (QFileInfo(path + suffix).isSymLink())
            throw DbError(QCoreApplication::translate(
                              "Processing", "The file %1 beside the database is a symbolic link, which SQLite would "
                                            "write through; it is not used until the link is taken away.")
                              .arg(path + suffix));
    }
}

} // namespace Processing
