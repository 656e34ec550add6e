#include "data/RowFilter.h"

#include "data/DbError.h"

#include <QCoreApplication>

namespace Processing {

namespace {

class FilterReader
{
public:
    explicit FilterReader(const QString &text) : m_text(text) {}

    void skipBlanks()
    {
        while (m_pos < m_text.size() && m_text.at(m_pos).isSpace())
            ++m_pos;
    }

    bool atEnd()
    {
        skipBlanks();
        return m_pos >= m_text.size();
    }

    QString identifier()
    {
        skipBlanks();
        const qsizetype start = m_pos;
        if (m_pos < m_text.size() && (m_text.at(m_pos).isLetter() || m_text.at(m_pos) == QLatin1Char('_'))) {
            while (m_pos < m_text.size() &&
                   (m_text.at(m_pos).isLetterOrNumber() || m_text.at(m_pos) == QLatin1Char('_')))
                ++m_pos;
        }
        if (m_pos == start)
            fail(QCoreApplication::translate("Processing", "a column name"));
        return m_text.mid(start, m_pos - start);
    }

    void equals()
    {
        skipBlanks();
        if (m_pos >= m_text.size() || m_text.at(m_pos) != QLatin1Char('='))
            fail(QStringLiteral("\"=\""));
        ++m_pos;
    }

    qint64 number()
    {
        skipBlanks();
        const qsizetype start = m_pos;
        if (m_pos < m_text.size() && m_text.at(m_pos) == QLatin1Char('-'))
            ++m_pos;
        const qsizetype digits = m_pos;
        while (m_pos < m_text.size() && m_text.at(m_pos).isDigit() && m_text.at(m_pos).unicode() < 128)
            ++m_pos;
        bool ok = false;
        const qint64 value = m_text.mid(start, m_pos - start).toLongLong(&ok);
        if (m_pos == digits || !ok)
            fail(QCoreApplication::translate("Processing", "a whole number"));
        return value;
    }

    qsizetype position() const { return m_pos; }

    // "or" must stand as a word of its own between two alternatives.
    void orWord(bool blankBefore)
    {
        if (!blankBefore || !QStringView(m_text).mid(m_pos, 2).startsWith(QLatin1StringView("or"), Qt::CaseInsensitive))
            fail(QStringLiteral("\"or\""));
        m_pos += 2;
        if (m_pos < m_text.size() && !m_text.at(m_pos).isSpace())
            fail(QCoreApplication::translate("Processing", "a blank after \"or\""));
    }

    [[noreturn]] void fail(const QString &expected) const
    {
        throw DbError(QCoreApplication::translate(
                          "Processing", "The row filter \"%1\" is not understood: %2 was expected at position %3.")
                          .arg(m_text, expected)
                          .arg(m_pos + 1));
    }

private:
    const QString &m_text;
    qsizetype m_pos = 0;
};

} // namespace

RowFilter RowFilter::parse(const QString &text)
{
    RowFilter filter;
    FilterReader reader(text);
    if (reader.atEnd())
        return filter;
    for (;;) {
        Alternative alternative;
        alternative.column = reader.identifier();
        reader.equals();
        alternative.value = reader.number();
        filter.m_alternatives.append(alternative);
        const qsizetype afterNumber = reader.position();
        if (reader.atEnd())
            return filter;
        reader.orWord(reader.position() > afterNumber);
    }
}

} // namespace Processing
