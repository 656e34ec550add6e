#include "transfer/TextDecoding.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <algorithm>
#include <optional>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace {

#ifdef Q_OS_WIN
// The text of bytes in a Windows code page, or nothing where a byte is not of it.
std::optional<QString> fromCodePage(unsigned codePage, QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return QString();
    const auto convert = [&](wchar_t *text, int size) {
        return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), int(bytes.size()), text, size);
    };
    const int size = convert(nullptr, 0);
    if (size == 0)
        return std::nullopt;
    QString text(size, Qt::Uninitialized);
    convert(reinterpret_cast<wchar_t *>(text.data()), size);
    return text;
}
#endif

} // namespace

TextDecoding::TextDecoding(const QString &encoding) : m_encoding(encoding)
{
    m_valid = encoding.isEmpty() || QStringDecoder(encoding.toLatin1().constData()).isValid();
#ifdef Q_OS_WIN
    static const QRegularExpression named(QStringLiteral("^(?:windows-|cp)(\\d+)$"),
                                          QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = named.match(encoding);
    if (!m_valid && match.hasMatch() && IsValidCodePage(match.captured(1).toUInt())) {
        m_codePage = match.captured(1).toUInt();
        m_valid = true;
    }
#endif
}

QString TextDecoding::decode(const QByteArray &bytes, qsizetype &badLine) const
{
    badLine = 0;
#ifdef Q_OS_WIN
    if (m_codePage != 0) {
        if (std::optional<QString> text = fromCodePage(m_codePage, bytes))
            return *text;
        // A line break is a line break in every code page: the first line that is not of it.
        const QList<QByteArray> lines = bytes.split('\n');
        for (qsizetype line = 0; line < lines.size() && badLine == 0; ++line)
            badLine = fromCodePage(m_codePage, lines[line]) ? 0 : line + 1;
        badLine = std::max<qsizetype>(badLine, 1);
        return QString();
    }
#endif
    QStringDecoder decoder = m_encoding.isEmpty() ? QStringDecoder(QStringConverter::Utf8)
                                                  : QStringDecoder(m_encoding.toLatin1().constData());
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        // Where the first byte that is not of the encoding lies, by the character put in its place.
        const qsizetype at = text.indexOf(QChar::ReplacementCharacter);
        badLine = text.left(std::max<qsizetype>(at, 0)).count(QLatin1Char('\n')) + 1;
    }
    return text;
}
