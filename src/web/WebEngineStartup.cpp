#include "web/WebEngineStartup.h"

#include <QByteArray>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

void PrepareWebEngine()
{
#if defined(Q_OS_UNIX)
    // The browser engine refuses to start its sandbox for the superuser and aborts instead;
    // only then is it run without one.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", QByteArrayLiteral("1"));
#endif
}
