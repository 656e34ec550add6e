#pragma once

#include <QString>

namespace Processing {

// A database failure: what the program was doing, and what the database or driver said.
// Every handler that touches the database catches it at its boundary and tells the user.
class DbError
{
public:
    explicit DbError(QString what, QString driverText = QString(), QString sqlState = QString(),
                     QString nativeCode = QString())
        : m_what(std::move(what)), m_driverText(std::move(driverText)), m_sqlState(std::move(sqlState)),
          m_nativeCode(std::move(nativeCode))
    {}

    const QString &what() const { return m_what; }
    const QString &driverText() const { return m_driverText; }
    // The database's codes for the failure, where it gave them: the five-character SQLSTATE
    // ("23505"; PostgreSQL, natively or by ODBC, and every ODBC driver), and the driver's own
    // number (SQLite's result code, Oracle's ORA number, an ODBC driver's native code).
    const QString &sqlState() const { return m_sqlState; }
    const QString &nativeCode() const { return m_nativeCode; }

    // The connection to the server was lost at this failure; it has been opened again since,
    // or could not be. A write cut this way before its commit stored nothing.
    bool connectionLost() const { return m_connectionLost; }
    // The connection was lost as a write was being committed, and whether the server stored it
    // could not be told afterwards: it may or may not have been stored.
    bool outcomeUnknown() const { return m_outcomeUnknown; }
    // The server gave no answer in time and the program gave the wait up. Busy: the server
    // stopped the statement when asked to. Silent: it did not answer that either, and the program
    // closed its connection; the number tells the give-ups apart, so that each is told once.
    bool serverBusy() const { return m_serverBusy; }
    int serverSilence() const { return m_serverSilence; }
    DbError &markServerBusy()
    {
        m_serverBusy = true;
        return *this;
    }
    DbError &markServerSilent(int silence)
    {
        m_connectionLost = true;
        m_serverSilence = silence;
        return *this;
    }
    DbError &markConnectionLost()
    {
        m_connectionLost = true;
        return *this;
    }
    DbError &markOutcomeUnknown()
    {
        m_connectionLost = true;
        m_outcomeUnknown = true;
        return *this;
    }

    // The text shown to the user: what failed, then the database's own words.
    QString message() const
    {
        if (m_driverText.trimmed().isEmpty())
            return m_what;
        return m_what + QStringLiteral("\n\n") + m_driverText.trimmed();
    }

private:
    QString m_what;
    QString m_driverText;
    QString m_sqlState;
    QString m_nativeCode;
    bool m_connectionLost = false;
    bool m_outcomeUnknown = false;
    bool m_serverBusy = false;
    int m_serverSilence = 0;
};

} // namespace Processing
