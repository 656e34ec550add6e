#include "transfer/CopyCommand.h"

#include "transfer/TransferCommandLine.h"
#include "transfer/TransferConsole.h"

int RunCopy(const TransferRequest &, TransferConsole &console)
{
    console.error(QStringLiteral("tarnwick-transfer: copy is not built yet."));
    return TransferFailed;
}
