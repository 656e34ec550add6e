#pragma once

#include <QString>

class QWidget;

// Puts the interface's language in force (Processing::UseLanguage) and lays every window made
// from then on out in its direction: right to left for Arabic, as Qt mirrors an application.
// Returns false when a catalogue could not be loaded.
bool UseInterfaceLanguage(const QString &language);

// The forms place their controls at fixed places, which Qt's layouts would mirror but fixed
// places are not: in a right-to-left window a control at x, w wide, stands at width - x - w of
// its parent, the controls inside a group box within the box. Done once, when the form's
// controls are placed; nothing in a left-to-right window moves.
void MirrorFixedPlacements(QWidget *container);
