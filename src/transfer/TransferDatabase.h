#pragma once

#include "data/setup/DatabaseDescriptor.h"
#include "data/statements/Dialect.h"

#include <QSqlDatabase>
#include <QString>

// A database as tarnwick-transfer names it: a descriptor as tarnwick --database takes it, or the
// word "production" or "development" for the one the program's own settings files (or the value
// compiled in) name for that environment.
struct TransferDatabase
{
    Processing::DatabaseDescriptor descriptor;
    QString shown;            // for messages, without a password
    bool development = false; // named by the word "development"
};

bool IsEnvironmentName(const QString &name);

// Throws DbError saying why the name cannot be used: a settings file that cannot be read, a
// descriptor of a form the program does not know (and where it was set).
TransferDatabase ResolveDatabase(const QString &name);

// What happens when an SQLite file named is not there: it is refused, or made as the program
// makes its embedded database (tables, the root category and the cities; never the sample
// places, which would be taken for the user's own).
enum class Creation { MustExist, MakeEmbedded };

// Opens the program's own connection (Processing::DbConn) on the database, as the windows use
// it: its writes, identifier rules and transactions apply. Throws DbError.
void OpenProgramConnection(const TransferDatabase &database, Creation creation);

// A connection of its own, beside the program's, by name; closed and removed when it goes.
class TransferConnection
{
public:
    // Throws DbError when the database cannot be opened or is not one the program can work with.
    TransferConnection(const TransferDatabase &database, const QString &name, Creation creation);
    ~TransferConnection();
    TransferConnection(const TransferConnection &) = delete;
    TransferConnection &operator=(const TransferConnection &) = delete;

    QSqlDatabase database() const;
    Processing::Dialect dialect() const { return m_dialect; }
    const TransferDatabase &named() const { return m_named; }
    // The SQLite file was made by this connection's opening (and so may be taken away again).
    bool madeFile() const { return m_madeFile; }
    // Closes the connection, and takes the file it made away again.
    void discardMadeFile();

private:
    void close();

    TransferDatabase m_named;
    QString m_name;
    Processing::Dialect m_dialect = Processing::Dialect::Oracle;
    bool m_madeFile = false;
};
