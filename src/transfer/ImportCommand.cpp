#include "transfer/ImportCommand.h"

#include "data/DbError.h"
#include "data/safety/FileAccess.h"
#include "data/writes/PlaceImport.h"
#include "transfer/CountText.h"
#include "transfer/PlaceFile.h"
#include "transfer/TextDecoding.h"
#include "transfer/TransferCommandLine.h"
#include "transfer/TransferConsole.h"
#include "transfer/TransferDatabase.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>

namespace {

// A file larger than this is no list of places anyone made; 32,767 places fill a directory.
constexpr qint64 LargestFile = qint64(1) << 30;

QString oneLine(const Processing::DbError &error)
{
    return error.message().replace(QStringLiteral("\n\n"), QStringLiteral(" "));
}

} // namespace

int RunImport(const TransferRequest &request, TransferConsole &console)
{
    if (!TextDecoding(request.encoding).isValid()) {
        console.error(QCoreApplication::translate(
                          "Transfer", "tarnwick-transfer: the encoding \"%1\" is not one this system can read.")
                          .arg(request.encoding));
        return TransferMisused;
    }
    const QString shown = QDir::toNativeSeparators(request.file);
    Processing::FileContents contents = Processing::ReadRegularFile(request.file, LargestFile);
    if (!contents.exists || !contents.refusal.isEmpty()) {
        console.error(contents.exists ? contents.refusal
                                      : QCoreApplication::translate("Transfer", "%1: no such file.").arg(shown));
        return TransferFailed;
    }
    const PlaceFile file = ReadPlaceFile(std::move(contents.bytes), request.encoding);
    if (!file.refusal.isEmpty()) {
        console.error(QCoreApplication::translate("Transfer", "%1 was not imported: %2.").arg(shown, file.refusal));
        return TransferFailed;
    }
    Processing::ImportOutcome outcome;
    try {
        OpenProgramConnection(ResolveDatabase(request.database), Creation::MustExist);
        // The places of a file with records that are no place are still checked, so that one
        // run tells every fault, but none is stored.
        outcome = Processing::ImportPlaces(file.places, {request.createMissing, !file.refused.isEmpty()},
                                           Processing::DbConn());
    } catch (const Processing::DbError &error) {
        outcome.failure = error;
    }
    if (outcome.failure) {
        console.error(QCoreApplication::translate("Transfer", "%1 was not imported; nothing of it was stored: %2")
                          .arg(shown, oneLine(*outcome.failure)));
        return TransferFailed;
    }
    QList<Processing::ImportRefusal> refused = file.refused + outcome.refused;
    std::stable_sort(refused.begin(), refused.end(), [](const auto &a, const auto &b) { return a.line < b.line; });
    for (const Processing::ImportRefusal &refusal : refused)
        console.error(QStringLiteral("%1:%2: %3").arg(shown).arg(refusal.line).arg(refusal.reason));
    if (!outcome.refusedWhole.isEmpty())
        console.error(QStringLiteral("%1: %2").arg(shown, outcome.refusedWhole));
    if (!refused.isEmpty() || !outcome.refusedWhole.isEmpty()) {
        console.error(QCoreApplication::translate("Transfer", "Nothing of %1 was imported: %2 of %3 refused.")
                          .arg(shown, QString::number(refused.size()),
                               CountText(QT_TRANSLATE_N_NOOP("Transfer", "%n records"),
                                         file.places.size() + file.refused.size())));
        return TransferFailed;
    }
    QString made;
    if (outcome.categoriesMade || outcome.districtsMade)
        made = QCoreApplication::translate("Transfer", ", with %1 and %2 made")
                   .arg(CountText(QT_TRANSLATE_N_NOOP("Transfer", "%n new categories"), outcome.categoriesMade),
                        CountText(QT_TRANSLATE_N_NOOP("Transfer", "%n new districts"), outcome.districtsMade));
    console.result(
        QCoreApplication::translate("Transfer", "Imported %1 from %2%3.")
            .arg(CountText(QT_TRANSLATE_N_NOOP("Transfer", "%n places"), outcome.placesStored), shown, made));
    return TransferSucceeded;
}
