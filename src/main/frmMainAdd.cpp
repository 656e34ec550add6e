#include "main/frmMain.h"

void frmMain::ShowAdd()
{
}
