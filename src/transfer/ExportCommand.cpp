#include "transfer/ExportCommand.h"

#include "transfer/TransferCommandLine.h"
#include "transfer/TransferConsole.h"

int RunExport(const TransferRequest &, TransferConsole &console)
{
    console.error(QStringLiteral("tarnwick-transfer: export is not built yet."));
    return TransferFailed;
}
