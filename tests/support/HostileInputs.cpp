#include "support/HostileInputs.h"

namespace HostileInputs {

namespace {

Input input(const char *label, const char *utf8)
{
    return {QString::fromLatin1(label), QString::fromUtf8(utf8)};
}

// Text of exactly length code units from a repeated piece, cut at a piece boundary or padded.
QString filled(const QString &piece, int length)
{
    QString text;
    while (text.size() + piece.size() <= length)
        text += piece;
    while (text.size() < length)
        text += QLatin1Char('z');
    return text;
}

} // namespace

QList<Input> Corpus()
{
    QList<Input> corpus = {
        input("single quote", "'"),
        input("double quote", "\""),
        input("two quotes", "''"),
        input("apostrophe in a word", "Joe's Diner"),
        input("quote at the end", "Diner'"),
        input("always true", "' OR '1'='1"),
        input("drop table", "'; DROP TABLE places_leaves; --"),
        input("closing the pattern", "%') or ('1'='1"),
        input("comment", "/* x */ -- y"),
        input("semicolon", "a; b"),
        input("percent", "%"),
        input("underscore", "_"),
        input("wildcards in a word", "50%_off"),
        input("backslash", "\\"),
        input("backslash in a word", "C:\\new\\table"),
        input("trailing backslash", "caf\\"),
        input("backslash quote", "\\'"),
        input("escaped wildcard", "\\%\\_"),
        input("double backslash", "a\\\\b"),
        input("leading and trailing blanks", "   Nile   "),
        input("blanks only", "   "),
        input("tab inside", "col1\tcol2"),
        input("new line inside", "line 1\nline 2"),
        input("carriage return and new line", "line 1\r\nline 2"),
        input("new line at the end", "last line\n"),
        input("control characters", "a\x01"
                                    "b\x1f"
                                    "c\x7f"),
        input("Arabic", "مطعم النيل"),
        input("Arabic digits", "شارع ٢٦ يوليو"),
        input("Hebrew", "מסעדה טובה"),
        input("mixed directions", "Cafe مقهى 12"),
        input("direction marks", "\u200fabc\u200e"),
        input("accented Latin", "Café Crème"),
        input("accented capitals", "ÉCOLE Ñandú"),
        input("sharp s", "Straße"),
        input("Turkish i", "İstanbul ıi"),
        input("Cyrillic", "Москва"),
        input("Greek", "Ωμέγα σς"),
        input("Chinese", "北京烤鸭店"),
        input("Japanese", "東京タワー"),
        input("Korean", "서울 식당"),
        input("emoji beyond the BMP", "🍕 Pizza 🎉"),
        input("joined emoji", "👨‍👩‍👧 fam"),
        input("rare CJK beyond the BMP", "𠮷野家"),
        input("combining accent", "Cafe\u0301"),
        input("zero-width non-joiner", "می\u200cخواهم"),
        input("typographic quotes", "‘smart’ “quotes”"),
        input("full-width apostrophe", "Joe＇s"),
        input("markup", "<b>x</b> &amp;"),
        input("placeholders", ":name ? $1 $$"),
        input("escape string", "E'\\x41'"),
    };
    corpus.append({QStringLiteral("NUL inside"), QStringLiteral("a") + QChar(0) + QStringLiteral("b")});
    return corpus;
}

QList<Input> AtAndBeyondLength(int maxLength)
{
    const QString piece = QStringLiteral("ab'c\\d%e ");
    const QString pizza = QString::fromUtf8("🍕");
    const QString arabic = QString::fromUtf8("ن");
    return {
        {QStringLiteral("exactly the limit"), filled(piece, maxLength)},
        {QStringLiteral("beyond the limit"), filled(piece, maxLength + 13)},
        {QStringLiteral("Arabic to the limit and beyond"), QString(maxLength + 3, arabic.at(0))},
        {QStringLiteral("emoji ending at the limit"), QString(maxLength - 2, QLatin1Char('e')) + pizza},
        {QStringLiteral("emoji straddling the limit"),
         QString(maxLength - 1, QLatin1Char('e')) + pizza + QStringLiteral("x")},
    };
}

} // namespace HostileInputs
