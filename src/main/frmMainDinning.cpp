#include "main/frmMain.h"

void frmMain::ShowDinning()
{
}
