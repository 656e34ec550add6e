#include "data/safety/Redaction.h"
#include "data/setup/InterfaceLanguage.h"
#include "transfer/TransferConsole.h"
#include "transfer/TransferProgram.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The same name as the program's: the same settings files and data folder.
    QCoreApplication::setApplicationName(QStringLiteral("Tarnwick"));
    Processing::RedactLogMessages();
    // Its messages and --help in the language the windows speak.
    Processing::UseLanguage(Processing::ConfiguredLanguage());
    TransferConsole console;
    return RunTransfer(QCoreApplication::arguments(), console);
}
