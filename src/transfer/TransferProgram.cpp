#include "transfer/TransferProgram.h"

#include "transfer/CopyCommand.h"
#include "transfer/ExportCommand.h"
#include "transfer/ImportCommand.h"
#include "transfer/TransferCommandLine.h"
#include "transfer/TransferConsole.h"

int RunTransfer(const QStringList &arguments, TransferConsole &console)
{
    const TransferRequest request = ReadTransferCommandLine(arguments);
    switch (request.command) {
    case TransferRequest::Command::Copy:
        return RunCopy(request, console);
    case TransferRequest::Command::Import:
        return RunImport(request, console);
    case TransferRequest::Command::Export:
        return RunExport(request, console);
    case TransferRequest::Command::None:
        break;
    }
    if (request.exitCode == TransferSucceeded)
        console.result(request.text);
    else
        console.error(request.text);
    return request.exitCode;
}
