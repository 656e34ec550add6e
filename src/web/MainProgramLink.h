#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <functional>

// The web window's side of its pipes to the program that started it: it tells the program of
// "&Back", and hears when the program wants the window in front. When the program's end of
// the input closes (the program has gone), ended is called.
class MainProgramLink : public QObject
{
public:
    // fromProgram and toProgram are file descriptors the link then owns.
    MainProgramLink(int fromProgram, int toProgram, std::function<void()> show, std::function<void()> ended);
    ~MainProgramLink() override;

    void Back();

private:
    void readCommands();

    int m_from;
    int m_to;
    QSocketNotifier m_readable;
    QByteArray m_pending;
    std::function<void()> m_show;
    std::function<void()> m_ended;
};
