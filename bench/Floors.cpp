#include "Floors.h"

#include "data/connection/Connection.h"
#include "data/setup/InterfaceLanguage.h"

#include <QCollator>
#include <QFile>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>

#include <stdexcept>

namespace {

const QString ShellProgram = QStringLiteral("sqlite3");

} // namespace

RawFetch FetchRaw(const QString &sql)
{
    QSqlQuery query(Processing::DbConn().database());
    query.setForwardOnly(true);
    if (!query.exec(Processing::DbConn().sent(sql)))
        throw std::runtime_error(("raw fetch refused: " + query.lastError().text()).toStdString());
    RawFetch fetched;
    const int columns = query.record().count();
    while (query.next()) {
        for (int c = 0; c < columns; ++c) {
            const QString text = query.value(c).toString();
            fetched.characters += text.size();
        }
        ++fetched.rows;
    }
    if (query.lastError().isValid())
        throw std::runtime_error(("raw fetch failed: " + query.lastError().text()).toStdString());
    return fetched;
}

SqliteShell::SqliteShell(const QString &databasePath, const QStringList &statements, const QString &scriptPath)
    : m_databasePath(databasePath), m_scriptPath(scriptPath)
{
    QFile script(scriptPath);
    if (!script.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error(("cannot write " + scriptPath).toStdString());
    for (const QString &sql : statements)
        script.write((Processing::DbConn().sent(sql) + QStringLiteral(";\n")).toUtf8());
}

bool SqliteShell::Available()
{
    return !QStandardPaths::findExecutable(ShellProgram).isEmpty();
}

void SqliteShell::run() const
{
    QProcess shell;
    shell.setStandardInputFile(m_scriptPath);
    shell.setStandardOutputFile(QProcess::nullDevice());
    shell.start(ShellProgram, {QStringLiteral("-batch"), QStringLiteral("-readonly"), m_databasePath});
    if (!shell.waitForFinished(120000) || shell.exitStatus() != QProcess::NormalExit || shell.exitCode() != 0)
        throw std::runtime_error(
            ("the sqlite3 shell failed: " + QString::fromLocal8Bit(shell.readAllStandardError())).toStdString());
}

std::vector<QCollatorSortKey> CollationKeys(const QStringList &texts)
{
    QCollator collator(Processing::InterfaceLocale());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::vector<QCollatorSortKey> keys;
    keys.reserve(std::size_t(texts.size()));
    for (const QString &text : texts)
        keys.push_back(collator.sortKey(text));
    return keys;
}
