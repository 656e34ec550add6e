#include "data/DbError.h"
#include "data/safety/Redaction.h"
#include "data/setup/DatabaseDescriptor.h"
#include "support/TestMain.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Processing;

// The one rule that takes passwords out of every text the user or a log may see.
class TestRedaction : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyFormLosesItsPassword_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("whole"); // one descriptor, or a message with one inside
        QTest::addColumn<QString>("secret");
        QTest::addColumn<QString>("kept");
        const QString s = QStringLiteral("Xq7secret");
        QTest::newRow("uri user information") << QStringLiteral("postgresql://bob:Xq7secret@db/dir") << true << s
                                              << QStringLiteral("postgresql://bob:***@db/dir");
        QTest::newRow("uri password with @ : / ?") << QStringLiteral("postgresql://bob:a@b:/?Xq7secret@db/dir") << true
                                                   << s << QStringLiteral("bob:***@db/dir");
        QTest::newRow("uri password option with @")
            << QStringLiteral("postgresql://ann@db/dir?password=x@Xq7secret") << true << s
            << QStringLiteral("postgresql://ann@db/dir?password=***");
        QTest::newRow("uri password option with &")
            << QStringLiteral("postgresql://ann@db/dir?password=x&Xq7secret") << true << s << QStringLiteral("ann@db");
        QTest::newRow("uri without its host") << QStringLiteral("postgresql://bob:Xq7secret/dir") << true << s
                                              << QStringLiteral("postgresql://bob:***/dir");
        QTest::newRow("uri password where the port goes") << QStringLiteral("postgresql://bob@db:Xq7secret/dir") << true
                                                          << s << QStringLiteral("postgresql://bob@db:***/dir");
        QTest::newRow("unknown scheme") << QStringLiteral("mysql://bob@db:Xq7secret/dir") << true << s
                                        << QStringLiteral("mysql://bob@db:***/dir");
        QTest::newRow("uri ports kept") << QStringLiteral("postgresql://db1:5433,[::1]:5432/dir") << true << s
                                        << QStringLiteral("postgresql://db1:5433,[::1]:5432/dir");
        QTest::newRow("uri sslpassword") << QStringLiteral("postgresql://ann@db/dir?sslpassword=Xq7secret") << true << s
                                         << QStringLiteral("sslpassword=***");
        QTest::newRow("odbc PWD") << QStringLiteral("odbc:DSN=dir;UID=ann;PWD=Xq7secret;Port=5") << true << s
                                  << QStringLiteral("odbc:DSN=dir;UID=ann;PWD=***;Port=5");
        QTest::newRow("odbc braces") << QStringLiteral("odbc:Driver={PG};pwd={a;b}}Xq7secret};Server=db") << true << s
                                     << QStringLiteral("odbc:Driver={PG};pwd=***;Server=db");
        QTest::newRow("odbc Password any case and blanks")
            << QStringLiteral("odbc:DSN=dir; PassWord = Xq7secret") << true << s << QStringLiteral("PassWord = ***");
        QTest::newRow("libpq quoted") << QStringLiteral("host=db password='a \\' Xq7secret' user=ann") << false << s
                                      << QStringLiteral("password=*** user=ann");
        QTest::newRow("oci") << QStringLiteral("oci:scott/Xq7secret@orcl") << true << s
                             << QStringLiteral("oci:scott/***@orcl");
        QTest::newRow("oci password with @")
            << QStringLiteral("oci:scott/a@Xq7secret@orcl") << true << s << QStringLiteral("oci:scott/***@orcl");
        QTest::newRow("in a message") << QStringLiteral("The setting \"odbc:DSN=dir;PWD=Xq7secret\" cannot be used.")
                                      << false << s << QStringLiteral("\" cannot be used.");
        QTest::newRow("uri in a message") << QStringLiteral("Tried postgresql://bob:Xq7secret@db/dir twice.") << false
                                          << s << QStringLiteral("postgresql://bob:***@db/dir twice.");
        QTest::newRow("oci in a message") << QStringLiteral("Tried oci:scott/Xq7secret@orcl once.") << false << s
                                          << QStringLiteral("oci:scott/***@orcl once.");
        QTest::newRow("a path has no password") << QStringLiteral("sqlite:/home/ann/pwd=a://b:c@d/oci:e/f@g") << true
                                                << s << QStringLiteral("sqlite:/home/ann/pwd=a://b:c@d/oci:e/f@g");
    }

    void everyFormLosesItsPassword()
    {
        QFETCH(QString, text);
        QFETCH(bool, whole);
        QFETCH(QString, secret);
        QFETCH(QString, kept);
        const QString shown = whole ? ShownDescriptor(text) : Redacted(text);
        QVERIFY2(!shown.contains(secret), qPrintable(shown));
        QVERIFY2(shown.contains(kept), qPrintable(shown));
        // A message may hide part of a path that looks like a password; never the other way round.
        if (!text.startsWith(QLatin1StringView("sqlite:")))
            QCOMPARE(Redacted(shown), shown);
        QCOMPARE(HoldsPassword(text), text.contains(secret));
    }

    // Qt's and the drivers' warnings, which the program does not write itself.
    void warningsLoseTheirPasswords()
    {
        static QStringList logged;
        logged.clear();
        const QtMessageHandler before = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext &, const QString &text) { logged.append(text); });
        RedactLogMessages();
        qWarning("QODBC: cannot connect with \"DSN=dir;PWD=Xq7secret\"");
        qInstallMessageHandler(before);
        QCOMPARE(logged, QStringList{QStringLiteral("QODBC: cannot connect with \"DSN=dir;PWD=***\"")});
    }

    void aNulNeverCutsAText()
    {
        const QString text = QStringLiteral("The name a") + QChar(0) + QStringLiteral("b is refused.");
        QCOMPARE(Redacted(text), QStringLiteral("The name a\\0b is refused."));
    }

    // Passwords made of words and the characters that bound passwords in one form or another, in
    // every form, shown whole and in the messages that refuse them: no word of one shows.
    void fuzz()
    {
        QRandomGenerator random(24);
        const QString hostile = QStringLiteral("@:/?&;={}\"' %#\\");
        const auto word = [&random] {
            QString text;
            for (int i = 0; i < 6; ++i)
                text += QChar(QLatin1Char("ABCDEFGHJKLMNPQRSTUVWXYZabcdefghjkmnpqrstuvwxyz"[random.bounded(47)]));
            return text;
        };
        for (int round = 0; round < 1000; ++round) {
            QStringList words;
            QString password;
            for (int i = 0, n = 1 + random.bounded(3); i < n; ++i) {
                words.append(word());
                password += words.last();
                if (random.bounded(2))
                    password += hostile.at(random.bounded(hostile.size()));
            }
            QString braced = password;
            braced.replace(QLatin1Char('}'), QStringLiteral("}}"));
            QString bare = password;
            bare.remove(QLatin1Char(';'));
            bare.remove(QLatin1Char('{'));
            bare = bare.trimmed();
            const QString key = QStringList{QStringLiteral("PWD"), QStringLiteral("pwd"), QStringLiteral("Password"),
                                            QStringLiteral("PASSWORD")}
                                    .at(random.bounded(4));
            const QStringList forms{
                QStringLiteral("postgresql://ann:%1@db1,db2:5433/dir?sslmode=require").arg(password),
                QStringLiteral("postgresql://ann@db/dir?sslmode=require&password=%1").arg(password),
                QStringLiteral("postgresql://ann@db/dir?password=%1&sslmode=require").arg(password),
                QStringLiteral("odbc:DSN=dir;UID=ann;%1=%2;Port=5432").arg(key, bare),
                QStringLiteral("odbc:Driver={PostgreSQL Unicode};%1={%2};Server=db").arg(key, braced),
                QStringLiteral("oci:scott/%1@orcl").arg(password),
            };
            for (const QString &descriptor : forms) {
                if (bare.isEmpty() && descriptor.startsWith(QLatin1StringView("odbc:DSN")))
                    continue;
                const QString shown = ShownDescriptor(descriptor);
                QVERIFY2(HoldsPassword(descriptor), qPrintable(descriptor));
                QString refusal;
                try {
                    DatabaseDescriptor::parse(descriptor + QStringLiteral("\n#"));
                } catch (const DbError &error) {
                    refusal = error.message();
                }
                for (const QString &part : std::as_const(words)) {
                    QVERIFY2(!shown.contains(part), qPrintable(descriptor + QStringLiteral(" -> ") + shown));
                    QVERIFY2(!refusal.contains(part), qPrintable(descriptor + QStringLiteral(" -> ") + refusal));
                }
            }
        }
    }
};

TARNWICK_TEST_MAIN(TestRedaction)
#include "tst_redaction.moc"
