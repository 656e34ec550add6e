#pragma once

#include <QIcon>

// The toolbar's pictures by index (1 to 11) and the tree's (1 root, 2 closed, 3 open category).
QIcon ToolbarPicture(int index);
QIcon TreePicture(int index);
