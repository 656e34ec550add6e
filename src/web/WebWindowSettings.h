#pragma once

#include <QString>

// Where one run's web window comes from and what it shows; an empty text means the usual: the
// program installed with this one, the directory web service's page.
struct WebWindowSettings
{
    QString pageAddress; // another page (a local server in tests)
    QString program;     // another program file (the build's own, in tests)
};
