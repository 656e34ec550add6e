#pragma once

#include <thread>

// Fontconfig reads its whole configuration, dozens of XML files, the first time a text is
// measured, which came in the middle of building the main window. Started before the
// application object, the reading runs beside the connection to the display instead. Where
// Qt does not use fontconfig (Windows) no thread is started.
std::jthread ReadFontConfigurationAhead();
