#include "web/MainProgramLink.h"

#include "web/WebWindowProtocol.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

MainProgramLink::MainProgramLink(int fromProgram, int toProgram, std::function<void()> show,
                                 std::function<void()> ended)
    : m_from(fromProgram), m_to(toProgram), m_readable(fromProgram, QSocketNotifier::Read), m_show(std::move(show)),
      m_ended(std::move(ended))
{
    connect(&m_readable, &QSocketNotifier::activated, this, [this] { readCommands(); });
}

MainProgramLink::~MainProgramLink()
{
    ::close(m_from);
    ::close(m_to);
}

void MainProgramLink::Back()
{
    // A line this short goes through a pipe in one piece.
    const auto size = std::strlen(WebWindowBack);
    ssize_t written = 0;
    do
        written = ::write(m_to, WebWindowBack, size);
    while (written < 0 && errno == EINTR);
    if (written != ssize_t(size))
        qWarning("The web window could not reach the main window: %s", std::strerror(errno));
}

void MainProgramLink::readCommands()
{
    char buffer[256];
    ssize_t got = 0;
    do
        got = ::read(m_from, buffer, sizeof buffer);
    while (got < 0 && errno == EINTR);
    if (got <= 0) {
        m_readable.setEnabled(false);
        if (m_ended)
            m_ended();
        return;
    }
    m_pending.append(buffer, got);
    for (qsizetype end = m_pending.indexOf('\n'); end >= 0; end = m_pending.indexOf('\n')) {
        const QByteArray line = m_pending.left(end + 1);
        m_pending.remove(0, end + 1);
        if (line == WebWindowShow && m_show)
            m_show();
    }
}
