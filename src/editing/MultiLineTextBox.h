#pragma once

#include <QPlainTextEdit>

// A text box of several lines that, like a one-line box, takes at most a given number of
// characters (typed, pasted or composed text beyond it is refused, never half a character)
// and passes Tab on to the next control.
//
// Its text is the text as the directory stores it: lines end in CR LF, as the rows written by
// earlier programs have them, so a line break counts as two characters of the limit. A stored
// text shows as lines whatever its line breaks (CR LF, LF or CR), and until the user changes it
// the box gives it back exactly as it was set, so an update of another field leaves it alone.
class MultiLineTextBox : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit MultiLineTextBox(int maxLength, QWidget *parent = nullptr);

    int maxLength() const { return m_maxLength; }
    // The text to store: as set while the box still shows it, otherwise the lines shown
    // joined by CR LF.
    QString text() const;
    void setText(const QString &text);

protected:
    void insertFromMimeData(const QMimeData *source) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    int room() const;

    int m_maxLength;
    QString m_set;      // the text last set
    QString m_setShown; // how the box showed it
};
