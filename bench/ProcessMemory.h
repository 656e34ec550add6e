#pragma once

#include <QtGlobal>

// This process's resident set from /proc/self/status, in bytes: now (VmRSS) and its peak
// so far (VmHWM). Zero where the system does not tell.
struct ProcessMemory
{
    qint64 resident = 0;
    qint64 peak = 0;

    static ProcessMemory Read();
};
