#include "web/frmDinning.h"

#include "ui/EnterKey.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace {

QPointer<frmDinning> &openWindow()
{
    static QPointer<frmDinning> window;
    return window;
}

} // namespace

frmDinning::frmDinning(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmDinning"));
    setWindowTitle(tr("Search on the Web"));
    // Closing unloads the window, so the next "Dinning" loads the page afresh.
    setAttribute(Qt::WA_DeleteOnClose);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(Twips(60));

    CmdBack = new QPushButton(tr("&Back"), this);
    CmdBack->setObjectName(QStringLiteral("CmdBack"));
    CmdBack->setFixedSize(TwipsSize(1215, 375));
    // Enter on the focused button presses it, as in every other window.
    PressOnEnter(CmdBack);
    connect(CmdBack, &QPushButton::clicked, this, [this] { CmdBack_Click(); });
    layout->addWidget(CmdBack, 0, Qt::AlignLeft | Qt::AlignTop);

    WebBrowser1 = new QWebEngineView(this);
    WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1->setAccessibleName(tr("Web page"));
    layout->addWidget(WebBrowser1, 1);

    resize(TwipsSize(12000, 9000));
}

frmDinning *frmDinning::ShowWindow(const QString &address, std::function<void()> showMain)
{
    QPointer<frmDinning> &window = openWindow();
    const bool fresh = window.isNull();
    if (fresh)
        window = new frmDinning;
    window->m_showMain = std::move(showMain);
    if (fresh)
        window->Form_Load(address);
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void frmDinning::Form_Load(const QString &address)
{
    // The page loads in the background; whatever the browser shows for a failure stays.
    WebBrowser1->setUrl(QUrl(address));
}

void frmDinning::CmdBack_Click()
{
    // The web window stays open behind the main window.
    if (m_showMain)
        m_showMain();
}

void frmDinning::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    // From now on "Dinning" makes a new window, even before this one is deleted.
    if (event->isAccepted() && openWindow() == this)
        openWindow() = nullptr;
}
