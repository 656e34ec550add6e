#include "support/Recorders.h"

#include "ui/StartBrowser.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace {

QMessageBox::StandardButton safestAnswer(QMessageBox::StandardButtons buttons)
{
    // No and Cancel leave everything as it was; OK is all a mere notice offers.
    for (QMessageBox::StandardButton button : {QMessageBox::No, QMessageBox::Cancel, QMessageBox::Ok})
        if (buttons.testFlag(button))
            return button;
    return QMessageBox::NoButton;
}

} // namespace

void FailOnUnexpectedMessages()
{
    SetMsgBoxHandler([](const MsgBoxRequest &request) {
        const QString failure =
            QStringLiteral("Unexpected message box \"%1\": \"%2\"").arg(request.title, request.text);
        if (QTest::currentTestFunction())
            QTest::qFail(qPrintable(failure), __FILE__, __LINE__);
        else
            std::fprintf(stderr, "FAIL: %s\n", qPrintable(failure));
        return safestAnswer(request.buttons);
    });
}

MessageRecorder::MessageRecorder()
{
    SetMsgBoxHandler([this](const MsgBoxRequest &request) {
        m_shown.append(request);
        if (m_ownLoop) {
            QEventLoop loop;
            QTimer::singleShot(10, &loop, &QEventLoop::quit);
            loop.exec();
        }
        if (!m_answers.isEmpty())
            return m_answers.takeFirst();
        return request.buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok : QMessageBox::No;
    });
}

MessageRecorder::~MessageRecorder()
{
    FailOnUnexpectedMessages();
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
