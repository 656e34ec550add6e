#include "editing/MultiLineTextBox.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

MultiLineTextBox::MultiLineTextBox(int maxLength, QWidget *parent) : QPlainTextEdit(parent), m_maxLength(maxLength)
{
    setTabChangesFocus(true);
}

void MultiLineTextBox::setText(const QString &text)
{
    setPlainText(text.left(m_maxLength));
}

int MultiLineTextBox::room() const
{
    // What a typed or pasted text replaces makes room for it.
    const int selected = int(textCursor().selectedText().size());
    return m_maxLength - int(toPlainText().size()) + selected;
}

void MultiLineTextBox::insertFromMimeData(const QMimeData *source)
{
    if (!source->hasText())
        return;
    const QString text = source->text().left(qMax(0, room()));
    if (!text.isEmpty())
        textCursor().insertText(text);
}

void MultiLineTextBox::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    const bool insertsText = !typed.isEmpty() && (typed.at(0).isPrint() || typed == QLatin1String("\r"));
    if (insertsText && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && room() < 1)
        return;
    QPlainTextEdit::keyPressEvent(event);
}
