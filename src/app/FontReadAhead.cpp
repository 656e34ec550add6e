#include "app/FontReadAhead.h"

#ifdef TARNWICK_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

std::jthread ReadFontConfigurationAhead()
{
#ifdef TARNWICK_FONTCONFIG
    // Racing Qt's own FcInit is safe: fontconfig keeps the first configuration stored.
    return std::jthread([] { FcInit(); });
#else
    return {};
#endif
}
