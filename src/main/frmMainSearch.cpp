#include "main/frmMain.h"

void frmMain::ShowSearch()
{
}
