#include "transfer/CopyCommand.h"

#include "data/DbError.h"
#include "transfer/CountText.h"
#include "transfer/DirectoryCopy.h"
#include "transfer/TransferCommandLine.h"
#include "transfer/TransferConsole.h"

#include <QCoreApplication>
#include <QStringList>

int RunCopy(const TransferRequest &request, TransferConsole &console)
{
    try {
        const TransferDatabase from = ResolveDatabase(request.from);
        const TransferDatabase to = ResolveDatabase(request.to);
        const DirectoryCopyResult result =
            CopyDirectory(from, to, request.replace, [&console](qint64 done, qint64 total, const QString &things) {
                console.progress(done, total, things);
            });
        QStringList counts;
        for (const CopiedTable &table : result.tables)
            counts.append(CountText(table.counted, table.count));
        const QString last = counts.takeLast();
        console.result(QCoreApplication::translate(
                           "Transfer", "Copied %1 and %2 from %3 to %4; checked: the row counts and the checksum %5 "
                                       "are the same on both sides.")
                           .arg(counts.join(QStringLiteral(", ")), last, from.shown, to.shown, result.checksum.text()));
        return TransferSucceeded;
    } catch (const Processing::DbError &error) {
        console.error(QStringLiteral("tarnwick-transfer: ") + error.message());
        return TransferFailed;
    }
}
