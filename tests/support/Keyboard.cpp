#include "support/Keyboard.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

namespace Keyboard {

namespace {

// The widget that takes the keys: a combo box's line edit.
QWidget *target(QWidget *box)
{
    if (auto *combo = qobject_cast<QComboBox *>(box); combo && combo->lineEdit())
        return combo->lineEdit();
    return box;
}

} // namespace

bool Typeable(const QString &text, bool multiLine)
{
    // A control character has no key that types it, a new line aside.
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control && !(c == QLatin1Char('\n') && multiLine))
            return false;
    }
    return true;
}

void Type(QWidget *box, const QString &text)
{
    QWidget *widget = target(box);
    widget->setFocus();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n')) {
            QTest::keyClick(widget, Qt::Key_Return);
        } else if (c.unicode() >= 0x20 && c.unicode() < 0x7f) {
            QTest::keyClick(widget, c.toLatin1());
        } else {
            const qsizetype units = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, units), Qt::NoModifier);
            i += units - 1;
        }
    }
}

void Paste(QWidget *box, const QString &text)
{
    QWidget *widget = target(box);
    widget->setFocus();
    QApplication::clipboard()->setText(text);
    QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
}

void Clear(QWidget *box)
{
    QWidget *widget = target(box);
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(widget, Qt::Key_Delete);
}

} // namespace Keyboard
