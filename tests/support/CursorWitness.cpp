#include "support/CursorWitness.h"

#include <QCursor>
#include <QGuiApplication>

CursorWitness::CursorWitness()
    : m_trace([this](const QString &) {
          const QCursor *cursor = QGuiApplication::overrideCursor();
          m_shapes.append(cursor ? int(cursor->shape()) : -1);
      })
{}
