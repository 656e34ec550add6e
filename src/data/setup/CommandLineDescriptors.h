#pragma once

#include <QString>
#include <QStringList>

namespace Processing {

// Why the database descriptors given to one option of a command line cannot be taken, or an
// empty text. Every user of the computer can read a process's command line, so every value
// given is checked, not only the one that counts: one that holds a password is refused, and so
// is one that cannot be used. The answer names the option ("--database").
QString CommandLineDescriptorRefusal(const QString &option, const QStringList &descriptors);

} // namespace Processing
