#include "ChildProcess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
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
    int status = 0;
    rusage usage{};
    while (wait4(pid, &status, 0, &usage) < 0) {
        if (errno != EINTR)
            throw std::runtime_error(("lost the process of " + path).toStdString());
    }
    run.ms = double(clock.nsecsElapsed()) / 1e6;
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.peakBytes = qint64(usage.ru_maxrss) * 1024;
    run.errors = errors.readAll();
    return run;
}
