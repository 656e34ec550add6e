#pragma once

#include "ui/MsgBox.h"

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>

// Answers every message box that no recorder expects: the current test fails at once, naming
// the message, instead of waiting on a box nobody will close until CTest's time-out. Every test
// program has it from its start; a recorder puts it back when it ends.
void FailOnUnexpectedMessages();

// Stands in for the message box while it lives: records every message and answers with the
// queued answers, then with OK (or No where a box has no OK).
class MessageRecorder
{
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    void answer(QMessageBox::StandardButton button) { m_answers.append(button); }
    // Each box then runs an event loop of its own for a moment before it answers, as a shown one does.
    void answerFromOwnLoop() { m_ownLoop = true; }
    const QList<MsgBoxRequest> &shown() const { return m_shown; }
    int count() const { return int(m_shown.size()); }
    const MsgBoxRequest &last() const { return m_shown.last(); }
    QStringList texts() const;
    void clear() { m_shown.clear(); }

private:
    QList<MsgBoxRequest> m_shown;
    QList<QMessageBox::StandardButton> m_answers;
    bool m_ownLoop = false;
};

// Stands in for the system web browser while it lives: records each address it was asked
// to open (an empty text for none).
class BrowserRecorder
{
public:
    BrowserRecorder();
    ~BrowserRecorder();
    BrowserRecorder(const BrowserRecorder &) = delete;
    BrowserRecorder &operator=(const BrowserRecorder &) = delete;

    const QStringList &started() const { return m_started; }

private:
    QStringList m_started;
};
