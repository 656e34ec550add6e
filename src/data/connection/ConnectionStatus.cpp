#include "data/connection/ConnectionStatus.h"

namespace Processing {

void ConnectionStatus::set(bool connected)
{
    if (connected == m_connected)
        return;
    m_connected = connected;
    Q_EMIT connectedChanged(connected);
}

} // namespace Processing
