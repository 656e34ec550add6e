#include "transfer/PlaceFile.h"

#include "data/rows/CsvReader.h"
#include "data/writes/PlaceExport.h"
#include "transfer/TextDecoding.h"

#include <QCoreApplication>

#include <array>

namespace {

// The columns as the file names them, the ones a place cannot be without first.
using Text = QString Processing::ImportedPlace::*;
struct Column
{
    const char *name;
    Text text;
    bool required;
};
const std::array<Column, 8> Columns{{
    {"Name", &Processing::ImportedPlace::name, true},
    {"Category", &Processing::ImportedPlace::category, true},
    {"City", &Processing::ImportedPlace::city, true},
    {"District", &Processing::ImportedPlace::district, true},
    {"Address", &Processing::ImportedPlace::address, true},
    {"Telephone", &Processing::ImportedPlace::telephone, false},
    {"URL", &Processing::ImportedPlace::url, false},
    {"More", &Processing::ImportedPlace::more, false},
}};

// The text, or why the bytes are not in that encoding.
QString decode(const QByteArray &bytes, const QString &encoding, QString &refusal)
{
    const TextDecoding decoding(encoding);
    if (!decoding.isValid()) {
        refusal = QCoreApplication::translate("Transfer", "the encoding \"%1\" is not one this system can read")
                      .arg(encoding);
        return QString();
    }
    qsizetype line = 0;
    QString text = decoding.decode(bytes, line);
    if (line > 0) {
        refusal = QCoreApplication::translate(
                      "Transfer", "line %1 is not %2; name the file's encoding with --encoding (windows-1256, for "
                                  "one)")
                      .arg(line)
                      .arg(encoding.isEmpty() ? QStringLiteral("UTF-8") : encoding);
        return QString();
    }
    if (text.startsWith(QChar::ByteOrderMark))
        text.remove(0, 1);
    return text;
}

bool blankLine(const QStringList &fields)
{
    return fields.size() == 1 && fields.constFirst().isEmpty();
}

} // namespace

PlaceFile ReadPlaceFile(QByteArray bytes, const QString &encoding)
{
    PlaceFile file;
    file.text = decode(bytes, encoding, file.refusal);
    bytes = QByteArray();
    const QString &text = file.text;
    if (!file.refusal.isEmpty())
        return file;
    Processing::CsvReader reader(text);
    bool header = false;
    while (!header && reader.next())
        header = !blankLine(reader.fields());
    if (!header) {
        file.refusal = QCoreApplication::translate("Transfer", "it holds no header naming the columns (%1)")
                           .arg(Processing::PlaceFileColumns().join(QStringLiteral(", ")));
        return file;
    }
    if (!reader.fault().isEmpty()) {
        file.refusal = QCoreApplication::translate("Transfer", "its header cannot be read: %1").arg(reader.fault());
        return file;
    }
    // Where each column of a place is in a record; -1 when the file has none.
    std::array<qsizetype, Columns.size()> positions;
    positions.fill(-1);
    const QStringList names = reader.fields();
    for (qsizetype at = 0; at < names.size(); ++at) {
        const QString name = names[at].trimmed();
        const auto column = std::find_if(Columns.cbegin(), Columns.cend(), [&name](const Column &c) {
            return name.compare(QLatin1StringView(c.name), Qt::CaseInsensitive) == 0;
        });
        if (column == Columns.cend()) {
            file.refusal =
                QCoreApplication::translate("Transfer", "its header names a column \"%1\"; the columns are %2")
                    .arg(name, Processing::PlaceFileColumns().join(QStringLiteral(", ")));
            return file;
        }
        qsizetype &position = positions[std::size_t(column - Columns.cbegin())];
        if (position >= 0) {
            file.refusal = QCoreApplication::translate("Transfer", "its header names the column %1 twice")
                               .arg(QLatin1StringView(column->name));
            return file;
        }
        position = at;
    }
    QStringList missing;
    for (std::size_t c = 0; c < Columns.size(); ++c) {
        if (Columns[c].required && positions[c] < 0)
            missing.append(QLatin1StringView(Columns[c].name));
    }
    if (!missing.isEmpty()) {
        file.refusal = (missing.size() > 1 ? QCoreApplication::translate("Transfer", "its header lacks the columns %1")
                                           : QCoreApplication::translate("Transfer", "its header lacks the column %1"))
                           .arg(missing.join(QStringLiteral(", ")));
        return file;
    }
    // About one place a line: the list is not copied as it grows.
    file.places.reserve(text.count(QLatin1Char('\n')));
    while (reader.next()) {
        const QStringList &fields = reader.fields();
        if (!reader.fault().isEmpty()) {
            file.refused.append({reader.line(), reader.fault()});
            continue;
        }
        if (blankLine(fields))
            continue;
        if (fields.size() != names.size()) {
            file.refused.append({reader.line(), QCoreApplication::translate(
                                                    "Transfer", "it has %1 fields where the header names %2 columns")
                                                    .arg(fields.size())
                                                    .arg(names.size())});
            continue;
        }
        Processing::ImportedPlace place;
        place.line = reader.line();
        for (std::size_t c = 0; c < Columns.size(); ++c) {
            if (positions[c] >= 0)
                place.*Columns[c].text = Processing::WithoutFormulaGuard(fields[positions[c]]);
        }
        file.places.append(std::move(place));
    }
    return file;
}
