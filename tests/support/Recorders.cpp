#include "support/Recorders.h"

#include "ui/StartBrowser.h"

MessageRecorder::MessageRecorder()
{
    SetMsgBoxHandler([this](const MsgBoxRequest &request) {
        m_shown.append(request);
        if (!m_answers.isEmpty())
            return m_answers.takeFirst();
        return request.buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::No;
    });
}

MessageRecorder::~MessageRecorder()
{
    SetMsgBoxHandler({});
}

QStringList MessageRecorder::texts() const
{
    QStringList texts;
    for (const MsgBoxRequest &request : m_shown)
        texts.append(request.text);
    return texts;
}

BrowserRecorder::BrowserRecorder()
{
    SetStartBrowserHandler([this](const QString &address) {
        m_started.append(address);
        return true;
    });
}

BrowserRecorder::~BrowserRecorder()
{
    SetStartBrowserHandler({});
}
