#include "editing/frmAdd.h"
#include "editing/frmUpdate.h"
#include "main/BrowsingFixture.h"
#include "main/frmMain.h"
#include "search/FrmSearch.h"
#include "support/TestDatabase.h"
#include "support/TestMain.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>

#include <memory>

using namespace BrowsingFixture;

namespace {

QString shown(QString caption)
{
    // "&" marks the access key; "&&" shows one "&".
    caption.replace(QLatin1StringView("&&"), QLatin1StringView("\x01"));
    caption.remove(QLatin1Char('&'));
    return caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

// The room a control has for its caption, against what the caption needs in its font.
QString clipped(QWidget *control)
{
    const QFontMetrics metrics = control->fontMetrics();
    int room = 0;
    QString caption;
    if (auto *label = qobject_cast<QLabel *>(control)) {
        caption = label->text();
        room = label->contentsRect().width() - 2 * label->margin() - qMax(label->indent(), 0);
        if (metrics.height() > label->contentsRect().height())
            return QStringLiteral("%1: %2 pixels high, its text needs %3")
                .arg(control->objectName())
                .arg(label->contentsRect().height())
                .arg(metrics.height());
    } else if (qobject_cast<QCheckBox *>(control) || qobject_cast<QRadioButton *>(control)) {
        auto *button = static_cast<QAbstractButton *>(control);
        caption = button->text();
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = caption;
        const QStyle::SubElement contents =
            qobject_cast<QCheckBox *>(control) ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents;
        room = button->style()->subElementRect(contents, &option, button).width();
    } else if (auto *button = qobject_cast<QPushButton *>(control)) {
        caption = button->text();
        room = button->width() - 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    } else if (auto *frame = qobject_cast<QGroupBox *>(control)) {
        caption = frame->title();
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = caption;
        option.subControls = QStyle::SC_GroupBoxLabel;
        option.lineWidth = 1;
        // The title may take the frame's whole width but for its rounded corners.
        room = frame->width() - 2 * frame->style()->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, frame);
    } else {
        return QString();
    }
    const int needed = metrics.horizontalAdvance(shown(caption));
    if (needed > room)
        return QStringLiteral("%1: \"%2\" needs %3 pixels, has %4")
            .arg(control->objectName(), shown(caption))
            .arg(needed)
            .arg(room);
    return QString();
}

} // namespace

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
            const QString problem = clipped(control);
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
