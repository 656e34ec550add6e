#pragma once

#include <QString>

namespace Processing {

// A database failure: what the program was doing, and what the database or driver said.
// Every handler that touches the database catches it at its boundary and tells the user.
class DbError
{
public:
    explicit DbError(QString what, QString driverText = QString())
        : m_what(std::move(what)), m_driverText(std::move(driverText))
    {}

    const QString &what() const { return m_what; }
    const QString &driverText() const { return m_driverText; }

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
};

} // namespace Processing
