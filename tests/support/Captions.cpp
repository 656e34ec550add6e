#include "support/Captions.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QGlyphRun>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRawFont>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QTextLayout>
#include <QToolButton>

namespace Captions {

namespace {

QString problem(const QWidget *control, const QString &what)
{
    return QStringLiteral("%1: %2").arg(control->objectName().isEmpty()
                                            ? QString::fromLatin1(control->metaObject()->className())
                                            : control->objectName(),
                                        what);
}

// The caption, and the width and height the control has for it.
QString caption(QWidget *control, QSize &room)
{
    if (auto *label = qobject_cast<QLabel *>(control)) {
        room = QSize(label->contentsRect().width() - 2 * label->margin() - qMax(label->indent(), 0),
                     label->contentsRect().height());
        return label->text();
    }
    if (qobject_cast<QCheckBox *>(control) || qobject_cast<QRadioButton *>(control)) {
        auto *button = static_cast<QAbstractButton *>(control);
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        const QStyle::SubElement contents =
            qobject_cast<QCheckBox *>(control) ? QStyle::SE_CheckBoxContents : QStyle::SE_RadioButtonContents;
        room = button->style()->subElementRect(contents, &option, button).size();
        return button->text();
    }
    if (auto *button = qobject_cast<QPushButton *>(control)) {
        const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        room = button->size() - QSize(2 * margin, 2 * button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth));
        return button->text();
    }
    if (auto *button = qobject_cast<QToolButton *>(control)) {
        // A tool button takes the width its caption needs; its height is the bar's.
        room = QSize(button->width(), button->height() - button->iconSize().height());
        return button->text();
    }
    if (auto *frame = qobject_cast<QGroupBox *>(control)) {
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.subControls = QStyle::SC_GroupBoxLabel;
        option.lineWidth = 1;
        // The title may take the frame's whole width but for its rounded corners.
        room = QSize(
            frame->width() - 2 * frame->style()->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, frame),
            frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame).height());
        return frame->title();
    }
    if (auto *box = qobject_cast<QLineEdit *>(control)) {
        QStyleOptionFrame option;
        option.initFrom(box);
        option.lineWidth = box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box) : 0;
        // Qt's text boxes keep one pixel above and below their text.
        room = box->style()->subElementRect(QStyle::SE_LineEditContents, &option, box).size() - QSize(0, 2);
        return QString();
    }
    return QString();
}

} // namespace

QString Shown(QString caption)
{
    caption.replace(QLatin1StringView("&&"), QLatin1StringView("\x01"));
    caption.remove(QLatin1Char('&'));
    return caption.replace(QLatin1Char('\x01'), QLatin1Char('&'));
}

QString Clipped(QWidget *control)
{
    QSize room;
    const QString text = Shown(caption(control, room));
    if (text.isEmpty())
        return QString();
    const QFontMetrics metrics = control->fontMetrics();
    if (qobject_cast<QLabel *>(control) && metrics.height() > room.height())
        return problem(control,
                       QStringLiteral("%1 pixels high, its text needs %2").arg(room.height()).arg(metrics.height()));
    const int needed = metrics.horizontalAdvance(text);
    if (needed > room.width())
        return problem(control,
                       QStringLiteral("\"%1\" needs %2 pixels, has %3").arg(text).arg(needed).arg(room.width()));
    return QString();
}

QString Undrawn(QWidget *control, const QString &boxText)
{
    QSize room;
    QString text = Shown(caption(control, room));
    if (qobject_cast<QLineEdit *>(control))
        text = boxText;
    if (text.isEmpty())
        return QString();
    QTextLayout layout(text, control->font());
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    for (const QGlyphRun &run : layout.glyphRuns()) {
        const QRawFont face = run.rawFont();
        if (run.glyphIndexes().contains(0))
            return problem(control, QStringLiteral("\"%1\" has letters %2 lacks").arg(text, face.familyName()));
        const int height = qRound(face.ascent() + face.descent());
        if (height > room.height())
            return problem(control, QStringLiteral("\"%1\" in %2 needs %3 pixels high, has %4")
                                        .arg(text, face.familyName())
                                        .arg(height)
                                        .arg(room.height()));
    }
    return QString();
}

} // namespace Captions
