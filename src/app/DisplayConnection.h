#pragma once

#include <QString>

// Held while the application object connects to the window system. Where no display can be
// reached Qt aborts, its last words suggesting to reinstall the program; instead the program
// says so in one line on standard error and ends with exit status 1. Qt's other messages of that
// moment are held back, and passed on once the connection is made.
class DisplayConnection
{
public:
    explicit DisplayConnection(const QString &programName);
    ~DisplayConnection();
    DisplayConnection(const DisplayConnection &) = delete;
    DisplayConnection &operator=(const DisplayConnection &) = delete;
};
