#pragma once

#include <QString>

class QWidget;

namespace Captions {

// The caption as shown: "&" marks the access key, "&&" shows one "&".
QString Shown(QString caption);
// Why a label, check box, option, button or frame title cannot show its caption whole in its
// width and height; empty when it can, or when the control has no caption.
QString Clipped(QWidget *control);
// Why the control's caption, or for a text box the text given, would not show whole in the
// faces that draw it: a letter no face has (an empty box), or a face too tall for the room.
QString Undrawn(QWidget *control, const QString &boxText);

} // namespace Captions
