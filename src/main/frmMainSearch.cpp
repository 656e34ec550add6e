#include "main/frmMain.h"
#include "search/FrmSearch.h"

void frmMain::ShowSearch()
{
    // A new dialog at every opening loads its lists afresh.
    FrmSearch dialog(*this, this);
    dialog.exec();
}
