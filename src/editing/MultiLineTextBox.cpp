#include "editing/MultiLineTextBox.h"

#include "ui/WholeCharacters.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

namespace {

// What the text becomes in the box: a CR LF or a lone CR starts a new line as a LF does.
QString asInserted(QString text)
{
    text.replace(QLatin1StringView("\r\n"), QLatin1StringView("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return WholeCharacters(text);
}

// Characters a text of the box takes once stored: a line break is two (CR LF). A selection
// marks its line breaks as paragraph separators.
int storedLength(const QString &shown)
{
    return int(shown.size() + shown.count(QLatin1Char('\n')) + shown.count(QChar::ParagraphSeparator));
}

// The longest start of text (as the box holds it) that takes at most room characters stored,
// never ending in half a character.
QString fitting(const QString &text, int room)
{
    qsizetype units = 0;
    for (int used = 0; units < text.size(); ++units) {
        used += text.at(units) == QLatin1Char('\n') ? 2 : 1;
        if (used > room)
            break;
    }
    return LeftWholeCharacters(text, units);
}

// Whether the box would insert the key's text, as Qt's text boxes decide it (a character
// beyond the BMP comes as two code units; Ctrl alone is a shortcut, Ctrl+Alt may be AltGr).
bool insertsText(const QKeyEvent *event)
{
    const QString typed = event->text();
    if (typed.isEmpty())
        return false;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::ControlModifier || modifiers == (Qt::ShiftModifier | Qt::ControlModifier))
        return false;
    const QChar c = typed.at(0);
    return c.isPrint() || c.isHighSurrogate() || c.category() == QChar::Other_Format ||
           c.category() == QChar::Other_PrivateUse || typed == QLatin1String("\r");
}

} // namespace

MultiLineTextBox::MultiLineTextBox(int maxLength, QWidget *parent) : QPlainTextEdit(parent), m_maxLength(maxLength)
{
    setTabChangesFocus(true);
}

void MultiLineTextBox::setText(const QString &text)
{
    setPlainText(fitting(asInserted(text), m_maxLength));
    m_set = text;
    m_setShown = toPlainText();
}

QString MultiLineTextBox::text() const
{
    QString shown = toPlainText();
    if (shown == m_setShown)
        return m_set;
    return shown.replace(QLatin1Char('\n'), QLatin1StringView("\r\n"));
}

int MultiLineTextBox::room() const
{
    // What a typed or pasted text replaces makes room for it.
    return m_maxLength - storedLength(toPlainText()) + storedLength(textCursor().selectedText());
}

void MultiLineTextBox::insertFromMimeData(const QMimeData *source)
{
    if (!source->hasText())
        return;
    const QString text = fitting(asInserted(source->text()), room());
    if (!text.isEmpty())
        textCursor().insertText(text);
}

void MultiLineTextBox::keyPressEvent(QKeyEvent *event)
{
    // A character that does not fit whole is refused whole; a new line takes two.
    if (insertsText(event) && room() < event->text().size() + event->text().count(QLatin1Char('\r')))
        return;
    QPlainTextEdit::keyPressEvent(event);
}

void MultiLineTextBox::inputMethodEvent(QInputMethodEvent *event)
{
    const QString commit = event->commitString();
    const QString fits = fitting(asInserted(commit), room());
    if (fits == commit) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent trimmed(event->preeditString(), event->attributes());
    trimmed.setCommitString(fits, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&trimmed);
}
