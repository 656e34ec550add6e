#include "data/setup/Environment.h"

#include "data/safety/FileAccess.h"
#include "data/setup/SiteSettings.h"

#include <QCoreApplication>

#include "BuildConfig.h"

namespace Processing {

namespace {

Environment environment(bool development, const DatabaseOverrides &overrides)
{
    Environment chosen;
    chosen.development = development;
    chosen.marker = development ? QCoreApplication::translate("Processing", "*Dev*") : QString();
    const QString &custom = development ? overrides.development : overrides.production;
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

Environment ProductionEnvironment(const DatabaseOverrides &overrides)
{
    return environment(false, overrides);
}

Environment DevelopmentEnvironment(const DatabaseOverrides &overrides)
{
    return environment(true, overrides);
}

bool MarkerFileOpens(const QString &folder)
{
    if (folder.isEmpty())
        return false;
    return OpensForReading(folder + QStringLiteral("/CM.ini"));
}

Environment ChooseEnvironment(const QString &programFolder, const DatabaseOverrides &overrides)
{
    return MarkerFileOpens(programFolder) ? DevelopmentEnvironment(overrides) : ProductionEnvironment(overrides);
}

} // namespace Processing
