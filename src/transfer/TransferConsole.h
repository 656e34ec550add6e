#pragma once

#include <QElapsedTimer>
#include <QString>

#include <cstdio>

// What tarnwick-transfer tells: results on standard output, failures and refusals on standard
// error, both through the rule that hides every password; and, where standard error is a
// terminal, a progress bar that the next line replaces.
class TransferConsole
{
public:
    // The process's own streams; a progress bar where standard error is a terminal.
    TransferConsole();
    // Other streams (a test's files), with or without a progress bar.
    TransferConsole(std::FILE *out, std::FILE *err, bool terminal);

    void result(const QString &line);
    void error(const QString &text);
    // Standard output itself, for a command that writes its data there (export to "-").
    std::FILE *out() const { return m_out; }

    bool showsProgress() const { return m_terminal; }
    // Done of total things (named in the plural, "places"), with the rate and the time left;
    // drawn at most a few times a second. Nothing without a terminal.
    void progress(qint64 done, qint64 total, const QString &things);

private:
    void write(std::FILE *stream, const QString &text);
    void clearProgress();

    std::FILE *m_out;
    std::FILE *m_err;
    bool m_terminal;
    bool m_progressShown = false;
    QElapsedTimer m_started;
    qint64 m_lastDrawn = -1;
    QString m_things; // what the bar counts now; another kind starts its own clock
};
