#include "web/WebWindow.h"

#include "web/frmDinning.h"

void OpenWebWindow(std::function<void()> showMain)
{
    frmDinning::ShowWindow(std::move(showMain));
}
