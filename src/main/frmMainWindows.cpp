#include "main/frmMain.h"

// The other windows the toolbar opens.

void frmMain::ShowDinning()
{
}

void frmMain::ShowSearch()
{
}

void frmMain::ShowAdd()
{
}
