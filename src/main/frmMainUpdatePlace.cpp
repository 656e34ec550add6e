#include "main/frmMain.h"

void frmMain::UpdatePlace()
{
}
