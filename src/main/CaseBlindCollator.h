#pragma once

#include <QLocale>
#include <QString>

#ifdef Q_OS_WIN
#include <QByteArray>

#include <utility>
#else
#include <QCollator>
#include <QCollatorSortKey>
#endif

#ifdef Q_OS_WIN
// Windows' own sort key of a text (LCMapStringEx), compared byte by byte as Windows means it
// to be. Qt 6.4's QCollatorSortKey there holds the key's bytes in a QString twice their size,
// half of it never written, and compares them as UTF-16 units, not as bytes: texts that differ
// only in case come out in no order at all.
class CollationKey
{
public:
    int compare(const CollationKey &other) const { return m_bytes.compare(other.m_bytes); }

private:
    friend class CaseBlindCollator;
    explicit CollationKey(QByteArray bytes) : m_bytes(std::move(bytes)) {}
    QByteArray m_bytes;
};
#else
using CollationKey = QCollatorSortKey;
#endif

// Keys of texts in the collation of a language, blind to case: two keys compare as their texts
// do in that language, with QCollator's compare(). A collator per thread.
class CaseBlindCollator
{
public:
    explicit CaseBlindCollator(const QLocale &locale);
    CollationKey sortKey(const QString &text) const;

private:
#ifdef Q_OS_WIN
    QString m_localeName;
#else
    QCollator m_collator;
#endif
};
