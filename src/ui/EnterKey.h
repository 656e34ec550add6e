#pragma once

class QAbstractButton;

// What Enter does on a focused button. A box never passes Enter to a button that stores,
// discards or closes by surprise: Qt's auto-default buttons would make whichever button last had
// the focus the one Enter presses, "&Cancel" included. So no button of ours is auto-default, and
// each says what Enter on it means.

// Enter on the button, while it has the focus, presses it as a click does.
void PressOnEnter(QAbstractButton *button);
// Enter on the button does nothing: it discards or closes, which Enter never does. Space and the
// button's access key still press it.
void NeverPressOnEnter(QAbstractButton *button);
