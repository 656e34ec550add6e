#pragma once

#include <QByteArray>
#include <QString>

// Text in a named encoding: any Qt's converters read, and on Windows, whose Qt reads only the
// Unicode encodings and Latin-1, the system's own code pages by name ("windows-1256",
// "cp1256"), the encodings the spreadsheets and older programs there write.
class TextDecoding
{
public:
    // UTF-8 where no encoding is named.
    explicit TextDecoding(const QString &encoding);
    bool isValid() const { return m_valid; }
    // The text; badLine is the first line (from 1) with bytes not of the encoding, or 0.
    QString decode(const QByteArray &bytes, qsizetype &badLine) const;

private:
    QString m_encoding;
    bool m_valid = false;
    unsigned m_codePage = 0; // Windows' code page, where Qt has no converter of that name
};
