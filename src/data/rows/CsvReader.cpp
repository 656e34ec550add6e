#include "data/rows/CsvReader.h"

namespace Processing {

namespace {

const QChar Quote = QLatin1Char('"');
const QChar Comma = QLatin1Char(',');
const QChar Cr = QLatin1Char('\r');
const QChar Lf = QLatin1Char('\n');
const QChar Apostrophe = QLatin1Char('\'');

} // namespace

CsvReader::CsvReader(QStringView text) : m_text(text) {}

bool CsvReader::atLineBreak() const
{
    return m_pos < m_text.size() && (m_text[m_pos] == Cr || m_text[m_pos] == Lf);
}

void CsvReader::skipLineBreak()
{
    if (m_text[m_pos] == Cr && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == Lf)
        ++m_pos;
    ++m_pos;
    ++m_nextLine;
}

// A part of the text as a field: the text itself, not a copy.
QString CsvReader::slice(qsizetype start, qsizetype size) const
{
    return QString::fromRawData(reinterpret_cast<const QChar *>(m_text.utf16() + start), size);
}

void CsvReader::readQuoted(QString &field)
{
    const qsizetype opened = m_nextLine;
    ++m_pos;
    bool whole = true; // the field is one part of the text, without a doubled quote
    for (;;) {
        const qsizetype quote = m_text.indexOf(Quote, m_pos);
        const QStringView part = m_text.mid(m_pos, (quote < 0 ? m_text.size() : quote) - m_pos);
        // Line breaks inside the field are the field's text, but lines all the same.
        for (qsizetype i = 0; i < part.size(); ++i) {
            if (part[i] == Lf || (part[i] == Cr && (i + 1 == part.size() || part[i + 1] != Lf)))
                ++m_nextLine;
        }
        if (whole)
            field = slice(m_pos, part.size());
        else
            field += part;
        if (quote < 0) {
            m_pos = m_text.size();
            m_fault = QStringLiteral("the quoted field opened on line %1 is never closed").arg(opened);
            return;
        }
        m_pos = quote + 1;
        if (m_pos < m_text.size() && m_text[m_pos] == Quote) {
            // Appending makes the field a text of its own.
            whole = false;
            field += Quote;
            ++m_pos;
            continue;
        }
        return;
    }
}

bool CsvReader::next()
{
    if (m_pos >= m_text.size())
        return false;
    m_line = m_nextLine;
    m_fields.clear();
    m_fault.clear();
    for (;;) {
        QString field;
        if (m_text[m_pos] == Quote) {
            readQuoted(field);
            if (m_pos < m_text.size() && m_text[m_pos] != Comma && !atLineBreak() && m_fault.isEmpty()) {
                m_fault = QStringLiteral("text follows the closing quote of field %1").arg(m_fields.size() + 1);
                while (m_pos < m_text.size() && !atLineBreak())
                    ++m_pos;
            }
        } else {
            // Most fields: a plain scan to the next comma or line break.
            const char16_t *text = m_text.utf16();
            const qsizetype start = m_pos;
            qsizetype end = m_pos;
            while (end < m_text.size() && text[end] != u',' && text[end] != u'\r' && text[end] != u'\n')
                ++end;
            m_pos = end;
            field = slice(start, end - start);
        }
        m_fields.append(field);
        if (m_pos < m_text.size() && m_text[m_pos] == Comma) {
            ++m_pos;
            // A comma at the very end still ends a field: an empty one follows.
            if (m_pos == m_text.size()) {
                m_fields.append(QString());
                return true;
            }
            continue;
        }
        if (atLineBreak())
            skipLineBreak();
        return true;
    }
}

bool NeedsFormulaGuard(QStringView cell)
{
    if (cell.isEmpty())
        return false;
    switch (cell.front().unicode()) {
    case u'=':
    case u'+':
    case u'-':
    case u'@':
    case u'\t':
    case u'\r':
    case u'\'':
        return true;
    default:
        return false;
    }
}

QString WithoutFormulaGuard(const QString &cell)
{
    return cell.startsWith(Apostrophe) ? cell.mid(1) : cell;
}

} // namespace Processing
