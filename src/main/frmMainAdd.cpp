#include "editing/frmAdd.h"
#include "main/frmMain.h"

void frmMain::ShowAdd()
{
    // Loaded afresh on every opening, so its lists show the database as it is now.
    frmAdd dialog(this);
    dialog.exec();
}
