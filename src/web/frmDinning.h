#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

class QPushButton;
class QWebEngineView;

// The web window: the directory web service's page in an embedded browser, with "&Back" to
// return to the main window. One window at a time; it knows nothing of the main window but the
// function it is handed for "&Back".
class frmDinning : public QWidget
{
    Q_OBJECT

public:
    // Opens the web window on address, or brings the open one to the front without navigating
    // again. showMain is what "&Back" calls; the latest caller's function replaces an earlier one.
    static frmDinning *ShowWindow(const QString &address, std::function<void()> showMain);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    explicit frmDinning(QWidget *parent = nullptr);
    void Form_Load(const QString &address);
    void CmdBack_Click();

    QPushButton *CmdBack = nullptr;
    QWebEngineView *WebBrowser1 = nullptr;
    std::function<void()> m_showMain;
};
