#pragma once

#include <QByteArray>
#include <QLatin1StringView>
#include <QString>
#include <QStringEncoder>
#include <QStringView>

class QIODevice;

namespace Processing {

// Writes CSV as RFC 4180 reads it, in UTF-8 with a byte-order mark (spreadsheets then read
// scripts other than Latin right): records end in CR LF, and a field that holds a comma, a quote
// or a line break is put in double quotes, its quotes doubled. A field that a spreadsheet would
// run as a formula gets a ' before it (NeedsFormulaGuard), so opening the file runs nothing.
// Written in large pieces, so a million rows cost little more than their bytes.
class CsvWriter
{
public:
    // Writes the byte-order mark at once.
    explicit CsvWriter(QIODevice &out);

    void field(QStringView text);
    void field(QLatin1StringView text);
    void endRecord();
    // Hands what is kept back to the device. False when the device refused; errorString() says
    // why, and every write after that is dropped.
    bool flush();
    bool failed() const { return !m_error.isEmpty(); }
    const QString &errorString() const { return m_error; }

private:
    void separate();
    void writeIfFull();

    QIODevice &m_out;
    QByteArray m_buffer;
    QStringEncoder m_utf8{QStringConverter::Utf8};
    bool m_firstField = true;
    QString m_error;
};

} // namespace Processing
