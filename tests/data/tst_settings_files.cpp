#include "data/setup/Environment.h"
#include "data/setup/SiteSettings.h"
#include "support/TestMain.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <future>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Processing;

// The user's settings file as an administrator or another local user may leave it: a FIFO, a
// device, a folder, random bytes, a value with ";" in it.
class TestSettingsFiles : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;

    QString userFile() const { return m_config.filePath(QStringLiteral("user/Tarnwick/" TARNWICK_SETTINGS_FILE)); }

private Q_SLOTS:
    void initTestCase()
    {
        QSettings::setPath(SettingsFormat, QSettings::UserScope, m_config.filePath(QStringLiteral("user")));
        QSettings::setPath(SettingsFormat, QSettings::SystemScope, m_config.filePath(QStringLiteral("system")));
        QCOMPARE(SettingsFiles().first(), userFile());
    }

    void cleanup() { QDir(m_config.filePath(QStringLiteral("user"))).removeRecursively(); }

    void settingsFilesAreReadSafely_data()
    {
        QTest::addColumn<QString>("kind"); // what lies at the path: file, fifo, folder, device
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("descriptor");
        QTest::addColumn<QString>("complaint");
        const QString none;
        QTest::newRow("FIFO") << QStringLiteral("fifo") << QByteArray() << none << QStringLiteral("it is a FIFO");
        QTest::newRow("folder") << QStringLiteral("folder") << QByteArray() << none << QStringLiteral("it is a folder");
        QTest::newRow("device") << QStringLiteral("device") << QByteArray() << none << QStringLiteral("it is a device");
        QByteArray noise;
        for (int i = 0; i < 4096; ++i)
            noise.append(char((i * 7919 + 13) % 251));
        QTest::newRow("random bytes") << QStringLiteral("file") << noise << none
                                      << QStringLiteral("cannot be read as a settings file");
        QTest::newRow("not a key") << QStringLiteral("file") << QByteArray("[Databases]\nproduction sqlite:x\n") << none
                                   << QStringLiteral("line 2 is neither");
        QTest::newRow("open quote") << QStringLiteral("file")
                                    << QByteArray("[Databases]\nproduction=\"postgresql://ann:tiger@db/dir\n") << none
                                    << QStringLiteral("closing double quote");
        QTest::newRow("unquoted ; read whole")
            << QStringLiteral("file") << QByteArray("[Databases]\nproduction=odbc:DSN=dir;UID=ann;Port=5432\n")
            << QStringLiteral("odbc:DSN=dir;UID=ann;Port=5432") << none;
        QTest::newRow("quoted ; and escapes read whole")
            << QStringLiteral("file") << QByteArray("[Databases]\nproduction=\"odbc:DSN=a\\\"b;UID=c\\\\d\"  \n")
            << QStringLiteral("odbc:DSN=a\"b;UID=c\\d") << none;
        const QByteArray setting("[Databases]\nproduction=sqlite:x\n;");
        const QByteArray largest = setting + QByteArray((1 << 20) - setting.size() - 1, 'x') + '\n';
        QTest::newRow("1 MiB") << QStringLiteral("file") << largest << QStringLiteral("sqlite:x") << none;
        QTest::newRow("1 MiB and a byte") << QStringLiteral("file") << largest + '\n'
                                          << none << QStringLiteral("larger than 1048576 bytes");
        QTest::newRow("hosts with blanks")
            << QStringLiteral("file") << QByteArray("; site\n[Databases]\r\nproduction=postgresql://db1, db2/d\r\n")
            << QStringLiteral("postgresql://db1,db2/d") << none;
    }

    void settingsFilesAreReadSafely()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, text);
        QFETCH(QString, descriptor);
        QFETCH(QString, complaint);
        const QString path = userFile();
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        if (kind == QLatin1StringView("file")) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text);
        } else if (kind == QLatin1StringView("folder")) {
            QVERIFY(QDir().mkdir(path));
        } else {
#ifdef Q_OS_UNIX
            if (kind == QLatin1StringView("fifo"))
                QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            else
                QVERIFY(QFile::link(QStringLiteral("/dev/null"), path));
#else
            QSKIP("no FIFO or device file here");
#endif
        }
        // A reader that waits on the FIFO is let go by a writer, and the test fails instead of hanging.
        auto reading = std::async(std::launch::async, [] { return ConfiguredDatabase(false); });
        if (reading.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
#ifdef Q_OS_UNIX
            ::close(::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK));
#endif
            reading.wait();
            QFAIL("start-up waited on the settings file");
        }
        const DatabaseSetting setting = reading.get();
        QCOMPARE(setting.descriptor, descriptor);
        if (complaint.isEmpty()) {
            QCOMPARE(setting.refusal, QString());
            QVERIFY(setting.origin.contains(path));
        } else {
            QVERIFY2(setting.refusal.contains(complaint), qPrintable(setting.refusal));
            QVERIFY2(setting.refusal.contains(path), qPrintable(setting.refusal));
            QVERIFY2(!setting.refusal.contains(QStringLiteral("tiger")), qPrintable(setting.refusal));
        }
    }

    // How long a call may wait for the server: whole and part seconds, refused outside 1 s to a day.
    void answerLimit_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<qint64>("milliseconds"); // -1: refused
        QTest::newRow("none given") << QByteArray("[Databases]\nproduction=sqlite:x\n") << qint64(15000);
        QTest::newRow("part seconds") << QByteArray("[Databases]\ntimeout= 2.5\n") << qint64(2500);
        QTest::newRow("zero") << QByteArray("[Databases]\ntimeout=0\n") << qint64(-1);
        QTest::newRow("more than a day") << QByteArray("[Databases]\ntimeout=90000\n") << qint64(-1);
        QTest::newRow("words") << QByteArray("[Databases]\ntimeout=15s\n") << qint64(-1);
    }
    void answerLimit()
    {
        QFETCH(QByteArray, text);
        QFETCH(qint64, milliseconds);
        QVERIFY(QDir().mkpath(QFileInfo(userFile()).absolutePath()));
        QFile file(userFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        const AnswerLimitSetting setting = ConfiguredAnswerLimit();
        if (milliseconds < 0) {
            QVERIFY2(setting.refusal.contains(QStringLiteral("no number of seconds from 1 to 86400")),
                     qPrintable(setting.refusal));
            QVERIFY2(setting.refusal.contains(userFile()), qPrintable(setting.refusal));
        } else {
            QCOMPARE(setting.refusal, QString());
            QCOMPARE(qint64(setting.limit.count()), milliseconds);
        }
    }

    // The marker beside the program counts when it opens, a FIFO too, without waiting on it.
    void aMarkerThatIsAFifoDoesNotHoldTheStart()
    {
#ifdef Q_OS_UNIX
        QTemporaryDir folder;
        const QString marker = folder.filePath(QStringLiteral("CM.ini"));
        QCOMPARE(::mkfifo(QFile::encodeName(marker).constData(), 0600), 0);
        auto opening = std::async(std::launch::async, [&folder] { return MarkerFileOpens(folder.path()); });
        if (opening.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
            ::close(::open(QFile::encodeName(marker).constData(), O_WRONLY | O_NONBLOCK));
            opening.wait();
            QFAIL("start-up waited on the marker file");
        }
        QVERIFY(opening.get());
#else
        QSKIP("no FIFO here");
#endif
    }
};

TARNWICK_TEST_MAIN(TestSettingsFiles)
#include "tst_settings_files.moc"
