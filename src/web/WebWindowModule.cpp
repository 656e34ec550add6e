// The entry of the web window module (tarnwick-web), which the program loads when the web
// window first opens.
#include "web/WebWindow.h"
#include "web/frmDinning.h"

extern "C" Q_DECL_EXPORT void tarnwick_open_web_window(std::function<void()> *showMain)
{
    frmDinning::ShowWindow(std::move(*showMain));
}
