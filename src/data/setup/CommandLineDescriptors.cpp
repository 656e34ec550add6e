#include "data/setup/CommandLineDescriptors.h"

#include "data/DbError.h"
#include "data/safety/Redaction.h"
#include "data/setup/DatabaseDescriptor.h"

#include <QCoreApplication>

namespace Processing {

QString CommandLineDescriptorRefusal(const QString &option, const QStringList &descriptors)
{
    for (const QString &descriptor : descriptors) {
        if (HoldsPassword(descriptor))
            return QCoreApplication::translate(
                       "Processing",
                       "%1 takes no password, as every user of this computer can read the command line; keep it in "
                       "~/.pgpass (or the file PGPASSFILE names), in the service file (~/.pg_service.conf) or in the "
                       "ODBC data source.")
                .arg(option);
    }
    for (const QString &descriptor : descriptors) {
        try {
            DatabaseDescriptor::parse(descriptor);
        } catch (const DbError &error) {
            return error.message();
        }
    }
    return QString();
}

} // namespace Processing
