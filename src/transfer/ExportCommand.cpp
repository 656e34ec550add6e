#include "transfer/ExportCommand.h"

#include "data/DbError.h"
#include "data/rows/CsvWriter.h"
#include "data/writes/CategoryPaths.h"
#include "data/writes/PlaceExport.h"
#include "transfer/TransferCommandLine.h"
#include "transfer/TransferConsole.h"
#include "transfer/TransferDatabase.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <memory>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// The categories to export, or none for all; why not, when the name fits no one category.
std::optional<QSet<qint32>> chosenCategories(const QString &name, QString &why)
{
    if (name.isEmpty())
        return std::nullopt;
    const Processing::CategoryPaths tree = Processing::CategoryPaths::Read(Processing::DbConn());
    const QList<qint32> found = tree.Find(name);
    if (found.size() == 1)
        return tree.Subtree(found.constFirst());
    why = found.isEmpty()
              ? QCoreApplication::translate("Transfer", "no category is named \"%1\"").arg(name)
              : QCoreApplication::translate("Transfer",
                                            "%1 categories are named \"%2\"; give its path from the root, the names "
                                            "joined by \"%3\"")
                    .arg(found.size())
                    .arg(name, QLatin1StringView(Processing::CategoryPathSeparator));
    return QSet<qint32>();
}

// Standard output, or a file written beside its place and put there only when whole, so that a
// failure leaves what was there before.
std::unique_ptr<QFileDevice> openOutput(const QString &file, std::FILE *out)
{
    if (file == QLatin1StringView("-")) {
#ifdef Q_OS_WIN
        // Windows' standard output is text, which would make each "\n" of the records "\r\n":
        // the file's own bytes are written.
        _setmode(_fileno(out), _O_BINARY);
#endif
        auto output = std::make_unique<QFile>();
        output->open(out, QIODevice::WriteOnly, QFileDevice::DontCloseHandle);
        return output;
    }
    auto saved = std::make_unique<QSaveFile>(file);
    saved->open(QIODevice::WriteOnly);
    return saved;
}

} // namespace

int RunExport(const TransferRequest &request, TransferConsole &console)
{
    const bool toOutput = request.file == QLatin1StringView("-");
    const QString shown =
        toOutput ? QCoreApplication::translate("Transfer", "standard output") : QDir::toNativeSeparators(request.file);
    try {
        OpenProgramConnection(ResolveDatabase(request.database), Creation::MustExist);
        QString why;
        const std::optional<QSet<qint32>> categories = chosenCategories(request.category, why);
        if (!why.isEmpty()) {
            console.error(QCoreApplication::translate("Transfer", "Nothing was exported to %1: %2.").arg(shown, why));
            return TransferFailed;
        }
        const std::unique_ptr<QFileDevice> file = openOutput(request.file, console.out());
        if (!file->isOpen()) {
            console.error(QCoreApplication::translate("Transfer", "Nothing was exported to %1: %2")
                              .arg(shown, file->errorString()));
            return TransferFailed;
        }
        Processing::CsvWriter out(*file);
        const Processing::ExportOutcome outcome = Processing::ExportPlaces(categories, out, Processing::DbConn());
        bool written = out.flush();
        QString failure = out.errorString();
        if (written) {
            auto *saved = qobject_cast<QSaveFile *>(file.get());
            written = saved ? saved->commit() : file->flush();
            failure = file->errorString();
        }
        if (!written) {
            console.error(
                QCoreApplication::translate("Transfer", "%1 could not be written whole: %2").arg(shown, failure));
            return TransferFailed;
        }
        // With the places on standard output, what is said of them goes to standard error.
        const QString done =
            (outcome.written == 1 ? QCoreApplication::translate("Transfer", "Exported %1 place to %2.")
                                  : QCoreApplication::translate("Transfer", "Exported %1 places to %2."))
                .arg(outcome.written)
                .arg(shown);
        toOutput ? console.error(done) : console.result(done);
        if (outcome.notListed > 0)
            console.error(
                (outcome.notListed == 1
                     ? QCoreApplication::translate("Transfer", "%1 stored place was left out: the places list does not "
                                                               "show it either, for want of a category, a city or a "
                                                               "district of that city.")
                     : QCoreApplication::translate("Transfer",
                                                   "%1 stored places were left out: the places list does not "
                                                   "show them either, for want of a category, a city or a "
                                                   "district of that city."))
                    .arg(outcome.notListed));
        return TransferSucceeded;
    } catch (const Processing::DbError &error) {
        console.error(QCoreApplication::translate("Transfer", "The places could not be exported to %1: %2")
                          .arg(shown, error.message().replace(QStringLiteral("\n\n"), QStringLiteral(" "))));
        return TransferFailed;
    }
}
