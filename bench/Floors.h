#pragma once

#include <QCollatorSortKey>
#include <QString>
#include <QStringList>

#include <vector>

// What a statement gave when read raw.
struct RawFetch
{
    qint64 rows = 0;
    qint64 characters = 0;
};

// The statement as the program sends it (after its dialect adaptation), run on the program's
// own connection and read forward-only, every value of every row into a QString: the least
// any reader through Qt SQL does. Throws std::runtime_error when the database refuses it.
RawFetch FetchRaw(const QString &sql);

// The sqlite3 command-line shell running the same text on the same file, its output to
// /dev/null: the engine with the cheapest reader there is. Timed as a whole process.
class SqliteShell
{
public:
    SqliteShell(const QString &databasePath, const QStringList &statements, const QString &scriptPath);

    static bool Available();
    // One run; throws std::runtime_error when the shell fails.
    void run() const;

private:
    QString m_databasePath;
    QString m_scriptPath;
};

// The keys a sort by a column compares: the collation keys of the column's texts in the
// interface's language, without regard to case.
std::vector<QCollatorSortKey> CollationKeys(const QStringList &texts);
