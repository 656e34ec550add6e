#pragma once

#include <QStringList>

class TransferConsole;

// tarnwick-transfer: reads the command line and runs the command it names; returns the exit code.
int RunTransfer(const QStringList &arguments, TransferConsole &console);
