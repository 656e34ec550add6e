#include "transfer/ImportCommand.h"

#include "transfer/TransferCommandLine.h"
#include "transfer/TransferConsole.h"

int RunImport(const TransferRequest &, TransferConsole &console)
{
    console.error(QStringLiteral("tarnwick-transfer: import is not built yet."));
    return TransferFailed;
}
