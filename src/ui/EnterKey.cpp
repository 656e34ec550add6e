#include "ui/EnterKey.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QPushButton>

namespace {

bool isEnter(const QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

class EnterOnButton : public QObject
{
public:
    EnterOnButton(QAbstractButton *button, bool press) : QObject(button), m_button(button), m_press(press)
    {
        if (auto *push = qobject_cast<QPushButton *>(button))
            push->setAutoDefault(false);
        button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched != m_button || !isEnter(event))
            return false;
        // Taken here in either case, so that it never reaches the window's default button.
        if (m_press && m_button->isEnabled())
            m_button->click();
        return true;
    }

private:
    QAbstractButton *m_button;
    bool m_press;
};

} // namespace

void PressOnEnter(QAbstractButton *button)
{
    new EnterOnButton(button, true);
}

void NeverPressOnEnter(QAbstractButton *button)
{
    new EnterOnButton(button, false);
}
