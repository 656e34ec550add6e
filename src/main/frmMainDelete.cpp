#include "main/frmMain.h"

void frmMain::DeletePlace()
{
}

void frmMain::DeleteCategory()
{
}
