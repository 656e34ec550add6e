// The web window's plug-in: the one place the program reaches the browser engine through.
#include "web/WebWindowPlugin.h"
#include "web/frmDinning.h"

#include <QObject>

class WebWindowModule : public QObject, public WebWindowPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID WebWindowPlugin_iid)
    Q_INTERFACES(WebWindowPlugin)

public:
    void Open(const QString &address, std::function<void()> showMain) override
    {
        frmDinning::ShowWindow(address, std::move(showMain));
    }
};

#include "WebWindowModule.moc"
