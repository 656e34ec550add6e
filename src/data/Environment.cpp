#include "data/Environment.h"

#include "data/FileAccess.h"
#include "data/SiteSettings.h"

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

Environment environment(bool development)
{
    Environment chosen;
    chosen.development = development;
    chosen.marker = development ? QStringLiteral("*Dev*") : QString();
    const QString &custom = development ? developmentOverride() : productionOverride();
    if (!custom.isEmpty()) {
        chosen.descriptor = custom;
        return chosen;
    }
    const DatabaseSetting setting = ConfiguredDatabase(development);
    chosen.refusal = setting.refusal;
    chosen.origin = setting.origin;
    if (!setting.origin.isEmpty() || !setting.refusal.isEmpty()) {
        chosen.descriptor = setting.descriptor;
        return chosen;
    }
    chosen.descriptor =
        QString::fromUtf8(development ? BuildConfig::DevelopmentDatabase : BuildConfig::ProductionDatabase);
    return chosen;
}

} // namespace

Environment ProductionEnvironment()
{
    return environment(false);
}

Environment DevelopmentEnvironment()
{
    return environment(true);
}

bool MarkerFileOpens(const QString &folder)
{
    if (folder.isEmpty())
        return false;
    return OpensForReading(folder + QStringLiteral("/CM.ini"));
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
