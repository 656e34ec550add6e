#include "data/Environment.h"

#include <QFile>

#include "BuildConfig.h"

namespace Processing {

namespace {

QString &productionOverride()
{
    static QString text;
    return text;
}

QString &developmentOverride()
{
    static QString text;
    return text;
}

} // namespace

Environment ProductionEnvironment()
{
    const QString &custom = productionOverride();
    return {custom.isEmpty() ? QString::fromUtf8(BuildConfig::ProductionDatabase) : custom, QString(), false};
}

Environment DevelopmentEnvironment()
{
    const QString &custom = developmentOverride();
    return {custom.isEmpty() ? QString::fromUtf8(BuildConfig::DevelopmentDatabase) : custom, QStringLiteral("*Dev*"),
            true};
}

bool MarkerFileOpens(const QString &folder)
{
    if (folder.isEmpty())
        return false;
    QFile marker(folder + QStringLiteral("/CM.ini"));
    return marker.open(QIODevice::ReadOnly);
}

Environment ChooseEnvironment(const QString &programFolder)
{
    return MarkerFileOpens(programFolder) ? DevelopmentEnvironment() : ProductionEnvironment();
}

void SetEnvironmentDescriptors(const QString &production, const QString &development)
{
    productionOverride() = production;
    developmentOverride() = development;
}

} // namespace Processing
