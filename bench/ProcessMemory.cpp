#include "ProcessMemory.h"

#include <QByteArray>
#include <QList>

#include <fstream>
#include <string>

namespace {

qint64 kilobytes(const QByteArray &line)
{
    // "VmRSS:\t  123456 kB"
    const QByteArray number = line.mid(line.indexOf(':') + 1).trimmed().split(' ').value(0);
    return number.toLongLong();
}

} // namespace

ProcessMemory ProcessMemory::Read()
{
    ProcessMemory memory;
    // Read with the standard library: a file under /proc reports no size, and a reader that
    // trusts the size sees it empty.
    std::ifstream status("/proc/self/status");
    std::string text;
    while (std::getline(status, text)) {
        const QByteArray line = QByteArray::fromStdString(text);
        if (line.startsWith("VmRSS:"))
            memory.resident = kilobytes(line) * 1024;
        else if (line.startsWith("VmHWM:"))
            memory.peak = kilobytes(line) * 1024;
    }
    return memory;
}
