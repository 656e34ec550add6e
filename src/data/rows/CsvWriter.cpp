#include "data/rows/CsvWriter.h"

#include "data/rows/CsvReader.h"

#include <QIODevice>

#include <algorithm>

namespace Processing {

namespace {

// Bytes kept before they go to the device.
constexpr qsizetype BufferBytes = 256 * 1024;

template<typename Char> bool needsQuotes(const Char *text, qsizetype size)
{
    return std::any_of(text, text + size, [](Char c) { return c == ',' || c == '"' || c == '\r' || c == '\n'; });
}

} // namespace

CsvWriter::CsvWriter(QIODevice &out) : m_out(out)
{
    m_buffer.reserve(BufferBytes + 4096);
    m_buffer.append("\xEF\xBB\xBF");
}

void CsvWriter::separate()
{
    if (!m_firstField)
        m_buffer.append(',');
    m_firstField = false;
}

void CsvWriter::field(QStringView text)
{
    separate();
    const bool guard = NeedsFormulaGuard(text);
    const bool quoted = needsQuotes(text.utf16(), text.size());
    if (quoted)
        m_buffer.append('"');
    if (guard)
        m_buffer.append('\'');
    // A quote written twice: the text is written up to each quote and the quote again.
    while (!text.isEmpty()) {
        const qsizetype quote = quoted ? text.indexOf(QLatin1Char('"')) : -1;
        const QStringView part = quote < 0 ? text : text.first(quote + 1);
        const qsizetype size = m_buffer.size();
        m_buffer.resize(size + m_utf8.requiredSpace(part.size()));
        char *end = m_utf8.appendToBuffer(m_buffer.data() + size, part);
        m_buffer.resize(end - m_buffer.constData());
        if (quote < 0)
            break;
        m_buffer.append('"');
        text = text.sliced(quote + 1);
    }
    if (quoted)
        m_buffer.append('"');
    writeIfFull();
}

void CsvWriter::field(QLatin1StringView text)
{
    // Plain ASCII is its own UTF-8; anything else takes the general way.
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return uchar(c) < 0x80; });
    const QChar first = text.isEmpty() ? QChar() : QChar(text.front());
    if (!ascii || needsQuotes(text.data(), text.size()) || NeedsFormulaGuard(QStringView(&first, 1))) {
        field(QStringView(QString(text)));
        return;
    }
    separate();
    m_buffer.append(text.data(), text.size());
    writeIfFull();
}

void CsvWriter::endRecord()
{
    m_buffer.append("\r\n");
    m_firstField = true;
}

void CsvWriter::writeIfFull()
{
    if (m_buffer.size() >= BufferBytes)
        flush();
}

bool CsvWriter::flush()
{
    if (failed()) {
        m_buffer.clear();
        return false;
    }
    if (!m_buffer.isEmpty() && m_out.write(m_buffer) != m_buffer.size())
        m_error = m_out.errorString();
    m_buffer.clear();
    return !failed();
}

} // namespace Processing
