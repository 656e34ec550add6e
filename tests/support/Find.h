#pragma once

#include <QLatin1StringView>
#include <QObject>

// The control of that object name among parent's children at any depth. A test that names a
// control the window does not have stops at once, rather than crashing further on.
template<typename T> T *Find(const QObject *parent, const char *name)
{
    T *child = parent->findChild<T *>(QLatin1StringView(name));
    if (!child)
        qFatal("No control named %s", name);
    return child;
}
