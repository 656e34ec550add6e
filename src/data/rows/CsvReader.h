#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace Processing {

// Reads CSV as RFC 4180 writes it: fields separated by commas, records ended by line breaks, a
// field in double quotes holding commas, line breaks and quotes (doubled) as text. Line breaks
// may be CR LF, LF or CR alone, as other programs write them; a quote inside a field that does
// not start with one is taken as text. Works on text already decoded, so any encoding reads
// alike. The fields are parts of that text where they can be (no copy for most): it must outlive
// them.
class CsvReader
{
public:
    explicit CsvReader(QStringView text);

    // Reads the next record; false at the end of the text.
    bool next();
    const QStringList &fields() const { return m_fields; }
    // The line the record starts on, counted from 1 as an editor counts them.
    qsizetype line() const { return m_line; }
    // What is wrong with the record's form; empty when it is sound. A record with a fault still
    // ends where its line does, so the records after it are read as they stand.
    const QString &fault() const { return m_fault; }

private:
    QString slice(qsizetype start, qsizetype size) const;
    void readQuoted(QString &field);
    void skipLineBreak();
    bool atLineBreak() const;

    QStringView m_text;
    qsizetype m_pos = 0;
    qsizetype m_nextLine = 1;
    qsizetype m_line = 0;
    QStringList m_fields;
    QString m_fault;
};

// A spreadsheet runs a cell that starts with =, +, -, @, a tab or a carriage return as a formula;
// such a cell is written with a ' before it, and one that starts with ' gets one more. This takes
// that one ' off again, so the text comes back as it was.
QString WithoutFormulaGuard(const QString &cell);
// Whether a cell is written with that ' before it.
bool NeedsFormulaGuard(QStringView cell);

} // namespace Processing
