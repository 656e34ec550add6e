#pragma once

#include "data/statements/Dialect.h"

#include <QList>
#include <QString>

#include <utility>

namespace Processing {

// Where a database lies, in one of the forms:
//   sqlite:PATH                                  (a relative PATH lies in the user's data folder)
//   postgresql://[USER[:PASSWORD]@]HOST[:PORT][,HOST[:PORT]...]/NAME[?OPTION=VALUE&...]
//                                                (PORT may be left out: 5432; without a user,
//                                                the login name; without a password, ~/.pgpass)
//   postgresql:///?service=NAME                  (everything else from the service file)
//   odbc:CONNECTION-STRING
//   oci:USER/PASSWORD@ALIAS
struct DatabaseDescriptor
{
    enum class Kind { SQLite, PostgreSQL, Odbc, Oci };

    Kind kind = Kind::SQLite;
    QString path; // SQLite: absolute file path
    QString user;
    QString password;
    QString host; // PostgreSQL: the first server
    int port = 0; // PostgreSQL: the first server's port
    QString name; // PostgreSQL database name, OCI alias, ODBC connection string

    // PostgreSQL: the servers libpq tries in turn, and the options it is given as they are.
    struct Server
    {
        QString host;
        int port = 5432;
    };
    QList<Server> servers;
    QList<std::pair<QString, QString>> options;
    QString option(const QString &key) const;

    // Throws DbError naming what is wrong with the text.
    static DatabaseDescriptor parse(const QString &text);

    QString driver() const;
    // For messages: the descriptor without its password.
    QString displayName() const;
};

} // namespace Processing
