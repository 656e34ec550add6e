#include "ui/WholeCharacters.h"

#include <QLineEdit>
#include <QValidator>

namespace {

bool isWhole(const QString &text, qsizetype i)
{
    const QChar c = text.at(i);
    if (c.isNull())
        return false;
    if (c.isHighSurrogate())
        return i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
    if (c.isLowSurrogate())
        return i > 0 && text.at(i - 1).isHighSurrogate();
    return true;
}

// Applied after every change to the box, limit included: it may change the text, never refuses it.
class WholeCharacterValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override
    {
        bool allWhole = true;
        for (qsizetype i = 0; i < input.size() && allWhole; ++i)
            allWhole = isWhole(input, i);
        if (allWhole)
            return Acceptable;
        QString kept;
        int keptPos = pos;
        for (qsizetype i = 0; i < input.size(); ++i) {
            if (isWhole(input, i))
                kept += input.at(i);
            else if (i < pos)
                --keptPos;
        }
        input = kept;
        pos = keptPos;
        return Acceptable;
    }
};

} // namespace

QString WholeCharacters(const QString &text)
{
    QString kept;
    kept.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isWhole(text, i))
            kept += text.at(i);
    }
    return kept;
}

QString LeftWholeCharacters(const QString &text, qsizetype units)
{
    if (units <= 0)
        return QString();
    if (text.size() <= units)
        return text;
    if (text.at(units - 1).isHighSurrogate())
        --units;
    return text.left(units);
}

void KeepWholeCharacters(QLineEdit *box)
{
    box->setValidator(new WholeCharacterValidator(box));
}
