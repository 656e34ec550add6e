#include "load/LoadJournal.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

QJsonObject JournalEntry::toJson() const
{
    return {{QStringLiteral("client"), client},   {QStringLiteral("step"), step},
            {QStringLiteral("action"), action},   {QStringLiteral("opened"), opened},
            {QStringLiteral("start"), start},     {QStringLiteral("end"), end},
            {QStringLiteral("id"), id},           {QStringLiteral("ref"), ref},
            {QStringLiteral("name"), name},       {QStringLiteral("from"), from},
            {QStringLiteral("outcome"), outcome}, {QStringLiteral("asked"), asked},
            {QStringLiteral("failure"), failure}, {QStringLiteral("told"), QJsonArray::fromStringList(told)}};
}

JournalEntry JournalEntry::fromJson(const QJsonObject &o)
{
    JournalEntry e;
    e.client = o.value(QStringLiteral("client")).toInt();
    e.step = o.value(QStringLiteral("step")).toInt();
    e.action = o.value(QStringLiteral("action")).toString();
    e.opened = o.value(QStringLiteral("opened")).toInteger();
    e.start = o.value(QStringLiteral("start")).toInteger();
    e.end = o.value(QStringLiteral("end")).toInteger();
    e.id = o.value(QStringLiteral("id")).toInteger(-1);
    e.ref = o.value(QStringLiteral("ref")).toInteger(-1);
    e.name = o.value(QStringLiteral("name")).toString();
    e.from = o.value(QStringLiteral("from")).toString();
    e.outcome = o.value(QStringLiteral("outcome")).toString();
    e.asked = o.value(QStringLiteral("asked")).toBool();
    e.failure = o.value(QStringLiteral("failure")).toBool();
    for (const QJsonValue &t : o.value(QStringLiteral("told")).toArray())
        e.told.append(t.toString());
    return e;
}

QList<JournalEntry> ReadJournals(const QStringList &files, QStringList *errors)
{
    QList<JournalEntry> entries;
    for (const QString &path : files) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            errors->append(QStringLiteral("cannot read the journal %1").arg(path));
            continue;
        }
        while (!file.atEnd()) {
            const QByteArray line = file.readLine().trimmed();
            if (line.isEmpty())
                continue;
            QJsonParseError error;
            const QJsonDocument document = QJsonDocument::fromJson(line, &error);
            if (!document.isObject())
                errors->append(QStringLiteral("%1: not a journal line: %2").arg(path, QString::fromUtf8(line)));
            else
                entries.append(JournalEntry::fromJson(document.object()));
        }
    }
    return entries;
}
