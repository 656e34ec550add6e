#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

// One line of a load client's journal: an action it tried through the windows and what the
// windows told it. Times are milliseconds since the epoch, one clock for every client.
struct JournalEntry
{
    int client = 0;
    int step = 0;
    QString action;       // add-category, add-district, add-place, update, delete-place, delete-category, read
    qint64 opened = 0;    // an update: when its window was filled from the list
    qint64 start = 0;     // when the deciding button was pressed
    qint64 end = 0;       // when the windows had told everything
    qint64 id = -1;       // the place or category acted on, as the windows showed it
    qint64 ref = -1;      // the chosen parent or category of an add or update
    QString name;         // the new (unique) name an add or update typed
    QString from;         // the name the list or tree showed for the row acted on
    QString outcome;      // one of the Outcome texts below
    bool asked = false;   // asked whether to overwrite someone else's change
    bool failure = false; // told a database error
    QStringList told;     // "title: text" of every message

    QJsonObject toJson() const;
    static JournalEntry fromJson(const QJsonObject &object);
};

namespace Outcome {
inline const QString Stored = QStringLiteral("stored");
inline const QString NotStored = QStringLiteral("not stored");
inline const QString Changed = QStringLiteral("changed by someone else"); // and the client kept the other's change
inline const QString Unknown = QStringLiteral("unknown");
inline const QString Refused = QStringLiteral("refused"); // a guard held it back: not stored
inline const QString Read = QStringLiteral("read");
} // namespace Outcome

// Every entry of the journal files; a line that is not an entry is reported in errors.
QList<JournalEntry> ReadJournals(const QStringList &files, QStringList *errors);
