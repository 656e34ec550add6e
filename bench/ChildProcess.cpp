#include "ChildProcess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <vector>

extern char **environ;

namespace {

// Pointers into the texts, NULL-terminated, as exec wants them.
std::vector<char *> pointers(std::vector<QByteArray> &texts)
{
    std::vector<char *> list;
    for (QByteArray &text : texts)
        list.push_back(text.data());
    list.push_back(nullptr);
    return list;
}

// VmHWM of /proc/PID/status in bytes, or 0 once the process has gone.
qint64 highWaterMark(const QByteArray &statusPath)
{
    QFile status(QString::fromLatin1(statusPath));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    return 0;
}

} // namespace

ChildRun RunChild(const QString &program, const QStringList &arguments, const QStringList &environment,
                  const QString &inputFile)
{
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        throw std::runtime_error(("no program " + program + " to run").toStdString());
    std::vector<QByteArray> argv{QFile::encodeName(path)};
    for (const QString &argument : arguments)
        argv.push_back(argument.toLocal8Bit());

    std::vector<QByteArray> envp;
    for (char **variable = environ; *variable; ++variable) {
        const QByteArray entry(*variable);
        const QByteArray key = entry.left(entry.indexOf('=') + 1);
        bool replaced = false;
        for (const QString &added : environment)
            replaced = replaced || added.toLocal8Bit().startsWith(key);
        if (!replaced)
            envp.push_back(entry);
    }
    for (const QString &added : environment)
        envp.push_back(added.toLocal8Bit());

    QTemporaryFile errors;
    if (!errors.open())
        throw std::runtime_error("no file for a child's standard error");
    const QByteArray errorsPath = QFile::encodeName(errors.fileName());
    const QByteArray input = inputFile.isEmpty() ? QByteArray("/dev/null") : QFile::encodeName(inputFile);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input.constData(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errorsPath.constData(), O_WRONLY | O_TRUNC, 0);
    std::vector<char *> args = pointers(argv);
    std::vector<char *> env = pointers(envp);

    ChildRun run;
    QElapsedTimer clock;
    clock.start();
    pid_t pid = 0;
    const int started = posix_spawn(&pid, argv.front().constData(), &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0)
        throw std::runtime_error(("cannot start " + path).toStdString());
    // The kernel's count of a child's peak (ru_maxrss) starts from this process's own, whose
    // memory the child shared until it started its program: with a large directory listed here
    // every child would measure the benchmark. The child's own high-water mark is followed
    // instead, on a thread, so that the wait itself stays exact.
    std::atomic<bool> ended = false;
    std::atomic<qint64> peak = 0;
    std::thread follower([pid, &ended, &peak] {
        const QByteArray statusPath = QByteArrayLiteral("/proc/") + QByteArray::number(pid) + "/status";
        while (!ended) {
            if (const qint64 hwm = highWaterMark(statusPath); hwm > peak)
                peak = hwm;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    });
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    run.ms = double(clock.nsecsElapsed()) / 1e6;
    ended = true;
    follower.join();
    if (!WIFEXITED(status) && !WIFSIGNALED(status))
        throw std::runtime_error(("lost the process of " + path).toStdString());
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.peakBytes = peak;
    run.errors = errors.readAll();
    return run;
}
