#include "data/drivers/SqliteFunctions.h"

#include "data/DbError.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QtGlobal>

#include <algorithm>
#include <sqlite3.h>

#ifdef Q_OS_UNIX
#include <dlfcn.h>
#elif defined(Q_OS_WIN)
#include <qt_windows.h>
#endif

namespace Processing {

namespace {

void unicodeUpper(sqlite3_context *context, int argc, sqlite3_value **argv)
{
    if (argc != 1 || sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const int bytes = sqlite3_value_bytes(argv[0]);
    // Most texts are ASCII, where Unicode's capitals are ASCII's: the conversion to QString
    // and back would cost a search over a hundred thousand places most of its time.
    if (std::all_of(text, text + bytes, [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        auto *upper = static_cast<char *>(sqlite3_malloc(bytes > 0 ? bytes : 1));
        if (!upper) {
            sqlite3_result_error_nomem(context);
            return;
        }
        std::transform(text, text + bytes, upper, [](char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; });
        sqlite3_result_text(context, upper, bytes, sqlite3_free);
        return;
    }
    const QByteArray upper = QString::fromUtf8(text, bytes).toUpper().toUtf8();
    sqlite3_result_text(context, upper.constData(), int(upper.size()), SQLITE_TRANSIENT);
}

#ifdef Q_OS_UNIX
// The file of the shared object that holds an address, or nullptr.
const Dl_info *objectHolding(const void *address, Dl_info &info)
{
    return address && dladdr(address, &info) != 0 && info.dli_fname ? &info : nullptr;
}

// Where the driver plugin finds sqlite3_libversion among the libraries it was loaded with must be
// where the program's own calls go. A plugin with SQLite built in either exports its own copy or
// none; both differ from ours.
QString sameLibraryAsDriver(const QSqlDriver *driver)
{
    Dl_info pluginInfo;
    if (!objectHolding(driver->metaObject(), pluginInfo))
        return QCoreApplication::translate("Processing", "the SQLite driver's file could not be found");
    const QString plugin = QString::fromLocal8Bit(pluginInfo.dli_fname);
    void *handle = dlopen(pluginInfo.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    if (!handle)
        return QCoreApplication::translate("Processing", "the SQLite driver %1 could not be inspected").arg(plugin);
    void *theirs = dlsym(handle, "sqlite3_libversion");
    dlclose(handle);
    Dl_info theirInfo;
    Dl_info ourInfo;
    if (!objectHolding(theirs, theirInfo))
        return QCoreApplication::translate("Processing", "the SQLite driver %1 does not use a shared SQLite library")
            .arg(plugin);
    if (!objectHolding(reinterpret_cast<const void *>(&sqlite3_libversion), ourInfo))
        return QCoreApplication::translate("Processing", "the program's SQLite library could not be found");
    if (theirInfo.dli_fbase != ourInfo.dli_fbase)
        return QCoreApplication::translate("Processing", "the SQLite driver %1 uses %2, the program %3")
            .arg(plugin, QString::fromLocal8Bit(theirInfo.dli_fname), QString::fromLocal8Bit(ourInfo.dli_fname));
    return {};
}
#elif defined(Q_OS_WIN)
// The module (a DLL, or the program) whose image holds an address, or nullptr.
HMODULE moduleHolding(const void *address)
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCWSTR>(address), &module);
    return module;
}

// Whether a loaded module imports from library. Windows maps a DLL of one name once per process,
// so a driver that imports the program's SQLite DLL shares it; one with SQLite built in imports
// none.
bool importsFrom(HMODULE module, HMODULE library)
{
    const auto *base = reinterpret_cast<const unsigned char *>(module);
    const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    const auto *headers = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY &imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0)
        return false;
    for (auto *entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress);
         entry->Name != 0; ++entry) {
        if (GetModuleHandleA(reinterpret_cast<const char *>(base + entry->Name)) == library)
            return true;
    }
    return false;
}

QString sameLibraryAsDriver(const QSqlDriver *driver)
{
    const HMODULE plugin = moduleHolding(driver->metaObject());
    if (!plugin)
        return QCoreApplication::translate("Processing", "the SQLite driver's file could not be found");
    // The program's calls go to the library whose image holds the version text it answers with.
    const HMODULE ours = moduleHolding(sqlite3_libversion());
    if (!ours || ours == GetModuleHandleW(nullptr))
        return QCoreApplication::translate("Processing", "the program has SQLite built in");
    if (!importsFrom(plugin, ours))
        return QCoreApplication::translate("Processing", "the SQLite driver does not use the program's SQLite library");
    return {};
}
#endif

QString findForeignReason(const QSqlDatabase &db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return QCoreApplication::translate("Processing", "the SQLite driver gives no SQLite handle");
    // Asked through the driver, so this runs on the driver's own SQLite. A failure here (a file
    // locked by another process) proves nothing either way; the library check below decides.
    QSqlQuery query(db);
    const QString ours = QString::fromLatin1(sqlite3_libversion());
    if (query.exec(QStringLiteral("select sqlite_version()")) && query.next()) {
        const QString theirs = query.value(0).toString();
        if (theirs != ours)
            return QCoreApplication::translate("Processing", "the SQLite driver runs SQLite %1, the program links %2")
                .arg(theirs, ours);
    }
#if defined(Q_OS_UNIX) || defined(Q_OS_WIN)
    return sameLibraryAsDriver(db.driver());
#else
    return QCoreApplication::translate(
        "Processing", "whether the SQLite driver shares the program's SQLite library cannot be told here");
#endif
}

} // namespace

QString ForeignSqliteReason(const QSqlDatabase &db)
{
    // One driver plugin serves every connection of the process.
    static const QString reason = [&db] {
        const QString found = findForeignReason(db);
        if (!found.isEmpty())
            qWarning("SQLite: the program leaves the SQLite driver's connections alone (upper() stays SQLite's "
                     "own, which folds only ASCII letters): %s",
                     qUtf8Printable(found));
        return found;
    }();
    return reason;
}

sqlite3 *SharedSqliteHandle(const QSqlDatabase &db, QString *whyNot)
{
    const QString reason = ForeignSqliteReason(db);
    if (whyNot)
        *whyNot = reason;
    if (!reason.isEmpty())
        return nullptr;
    return *static_cast<sqlite3 *const *>(db.driver()->handle().data());
}

bool HasUnicodeUpper(const QSqlDatabase &db)
{
    return db.isOpen() && db.driverName() == QLatin1StringView("QSQLITE") && SharedSqliteHandle(db);
}

void RegisterUnicodeUpper(const QSqlDatabase &db)
{
    sqlite3 *connection = SharedSqliteHandle(db);
    if (!connection)
        return;
    const int result = sqlite3_create_function_v2(connection, "upper", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                                  unicodeUpper, nullptr, nullptr, nullptr);
    if (result != SQLITE_OK)
        throw DbError(QCoreApplication::translate("Processing", "The SQLite connection could not be prepared."),
                      QString::fromUtf8(sqlite3_errstr(result)));
}

} // namespace Processing
