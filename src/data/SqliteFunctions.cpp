#include "data/SqliteFunctions.h"

#include "data/DbError.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QString>
#include <QVariant>

#include <algorithm>
#include <sqlite3.h>

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

} // namespace

void RegisterUnicodeUpper(const QSqlDatabase &db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw DbError(QStringLiteral("The SQLite connection could not be prepared."));
    auto *connection = *static_cast<sqlite3 *const *>(handle.data());
    const int result = sqlite3_create_function_v2(connection, "upper", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                                  unicodeUpper, nullptr, nullptr, nullptr);
    if (result != SQLITE_OK)
        throw DbError(QStringLiteral("The SQLite connection could not be prepared."),
                      QString::fromUtf8(sqlite3_errstr(result)));
}

} // namespace Processing
