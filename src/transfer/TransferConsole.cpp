#include "transfer/TransferConsole.h"

#include "data/safety/Redaction.h"

#include <QCoreApplication>
#include <QLocale>

#ifdef Q_OS_UNIX
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#endif

namespace {

constexpr int BarWidth = 30;
constexpr qint64 RedrawEveryMs = 200;

QString duration(qint64 seconds)
{
    if (seconds >= 3600)
        return QStringLiteral("%1:%2:%3")
            .arg(seconds / 3600)
            .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
            .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

TransferConsole::TransferConsole() : TransferConsole(stdout, stderr, isatty(fileno(stderr)) != 0) {}

TransferConsole::TransferConsole(std::FILE *out, std::FILE *err, bool terminal)
    : m_out(out), m_err(err), m_terminal(terminal)
{
    m_started.start();
}

void TransferConsole::write(std::FILE *stream, const QString &text)
{
    std::fputs(Processing::Redacted(text).toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

void TransferConsole::clearProgress()
{
    if (!m_progressShown)
        return;
    std::fputs("\r\033[K", m_err);
    m_progressShown = false;
}

void TransferConsole::result(const QString &line)
{
    clearProgress();
    write(m_out, line.endsWith(QLatin1Char('\n')) ? line : line + QLatin1Char('\n'));
}

void TransferConsole::error(const QString &text)
{
    clearProgress();
    write(m_err, text.endsWith(QLatin1Char('\n')) ? text : text + QLatin1Char('\n'));
}

void TransferConsole::progress(qint64 done, qint64 total, const QString &things)
{
    if (!m_terminal)
        return;
    if (things != m_things || m_lastDrawn < 0) {
        m_things = things;
        m_started.restart();
        m_lastDrawn = -1;
    }
    const qint64 now = m_started.elapsed();
    if (m_lastDrawn >= 0 && now - m_lastDrawn < RedrawEveryMs && done < total)
        return;
    m_lastDrawn = now;
    const double share = total > 0 ? double(done) / double(total) : 1.0;
    const int filled = int(share * BarWidth);
    const double seconds = double(m_lastDrawn) / 1000.0;
    const double rate = seconds > 0 ? double(done) / seconds : 0;
    const QLocale locale = QLocale::system();
    QString line = QStringLiteral("\r[%1%2] ")
                       .arg(QString(filled, QLatin1Char('#')), QString(BarWidth - filled, QLatin1Char('.'))) +
                   QCoreApplication::translate("Transfer", "%1 of %2 %3")
                       .arg(locale.toString(done), locale.toString(total), things);
    if (rate > 0) {
        line += QStringLiteral(", %1/s").arg(locale.toString(qint64(rate)));
        line += QCoreApplication::translate("Transfer", ", %1 left")
                    .arg(duration(qint64(double(total - done) / rate + 0.5)));
    }
    std::fputs((line + QStringLiteral("\033[K")).toLocal8Bit().constData(), m_err);
    std::fflush(m_err);
    m_progressShown = true;
}
