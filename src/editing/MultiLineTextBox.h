#pragma once

#include <QPlainTextEdit>

// A text box of several lines that, like a one-line box, takes at most a given number of
// characters (typed, pasted or composed text beyond it is refused, never half a character)
// and passes Tab on to the next control.
class MultiLineTextBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit MultiLineTextBox(int maxLength, QWidget *parent = nullptr);

    int maxLength() const { return m_maxLength; }
    QString text() const { return toPlainText(); }
    void setText(const QString &text);

protected:
    void insertFromMimeData(const QMimeData *source) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    int room() const;

    int m_maxLength;
};
