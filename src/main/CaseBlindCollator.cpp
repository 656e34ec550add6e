#include "main/CaseBlindCollator.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>

CaseBlindCollator::CaseBlindCollator(const QLocale &locale) : m_localeName(locale.bcp47Name()) {}

CollationKey CaseBlindCollator::sortKey(const QString &text) const
{
    // Windows makes no key of an empty text; its empty key sorts first, as the text does.
    if (text.isEmpty())
        return CollationKey(QByteArray());
    const auto make = [&](BYTE *key, int size) {
        return LCMapStringEx(reinterpret_cast<LPCWSTR>(m_localeName.utf16()), LCMAP_SORTKEY | NORM_IGNORECASE,
                             reinterpret_cast<LPCWSTR>(text.utf16()), int(text.size()), reinterpret_cast<LPWSTR>(key),
                             size, nullptr, nullptr, 0);
    };
    // The size in bytes, its closing 0 included; the key is compared without it.
    QByteArray key(make(nullptr, 0), Qt::Uninitialized);
    const int made = make(reinterpret_cast<BYTE *>(key.data()), int(key.size()));
    key.truncate(made > 0 ? made - 1 : 0);
    return CollationKey(std::move(key));
}

#else

CaseBlindCollator::CaseBlindCollator(const QLocale &locale) : m_collator(locale)
{
    m_collator.setCaseSensitivity(Qt::CaseInsensitive);
}

CollationKey CaseBlindCollator::sortKey(const QString &text) const
{
    return m_collator.sortKey(text);
}

#endif
