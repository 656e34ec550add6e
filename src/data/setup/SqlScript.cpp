#include "data/setup/SqlScript.h"

#include "data/DbError.h"

#include <QCoreApplication>
#include <QFile>

// The scripts live in a static library, whose resources must be registered by hand.
static void registerSchemaResources()
{
    Q_INIT_RESOURCE(schema);
}

namespace Processing {

QStringList SqlStatements(const QString &script)
{
    QStringList statements;
    QString current;
    const QStringList lines = script.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1StringView("--")))
            continue;
        if (!current.isEmpty())
            current += QLatin1Char('\n');
        if (trimmed.endsWith(QLatin1Char(';'))) {
            current += line.left(line.lastIndexOf(QLatin1Char(';')));
            statements.append(current.trimmed());
            current.clear();
        } else {
            current += line;
        }
    }
    if (!current.trimmed().isEmpty())
        statements.append(current.trimmed());
    return statements;
}

QString SchemaScript(const QString &name)
{
    static const bool registered = (registerSchemaResources(), true);
    Q_UNUSED(registered);
    QFile file(QStringLiteral(":/schema/") + name);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(
            QCoreApplication::translate("Processing", "The program's database script %1 is missing.").arg(name));
    return QString::fromUtf8(file.readAll());
}

} // namespace Processing
