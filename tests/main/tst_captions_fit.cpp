#include "editing/frmAdd.h"
#include "editing/frmUpdate.h"
#include "main/BrowsingFixture.h"
#include "main/frmMain.h"
#include "search/FrmSearch.h"
#include "support/Captions.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QPointer>

#include <memory>

using namespace BrowsingFixture;

// The fixed layouts show every caption whole: no label, check box, option, button or frame
// title is cut off, in the faces this desktop has for the forms' fonts.
class TestCaptionsFit : public QObject
{
    Q_OBJECT

    std::unique_ptr<frmMain> m_main;

    void check(QWidget *window)
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QStringList cut;
        for (QWidget *control : window->findChildren<QWidget *>()) {
            if (!control->isVisible())
                continue;
            const QString problem = Captions::Clipped(control);
            if (!problem.isEmpty())
                cut.append(problem);
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
    }

private Q_SLOTS:
    void init()
    {
        Load();
        m_main = std::make_unique<frmMain>();
    }

    void cleanup() { m_main.reset(); }

    void mainWindow() { check(m_main.get()); }

    void searchDialog()
    {
        FrmSearch dialog(*m_main);
        check(&dialog);
    }

    void addDialog()
    {
        frmAdd dialog;
        check(&dialog);
    }

    void updateWindow()
    {
        QPointer<frmUpdate> window = new frmUpdate;
        check(window);
        delete window;
    }
};

TARNWICK_TEST_MAIN(TestCaptionsFit)
#include "tst_captions_fit.moc"
