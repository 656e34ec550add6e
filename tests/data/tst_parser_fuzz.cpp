#include "data/DbError.h"
#include "data/setup/DatabaseDescriptor.h"
#include "data/setup/PostgreSQLAddress.h"
#include "support/TestMain.h"

#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

using namespace Processing;

// Seeded random input for the database setting's parser: it may neither crash nor take malformed
// text as something else. Pass a seed and a
// count as TARNWICK_FUZZ_SEED / TARNWICK_FUZZ_COUNT to search deeper.
class TestParserFuzz : public QObject
{
    Q_OBJECT

private:
    quint32 m_seed = 20261208;
    int m_count = 20000;

    static QString pick(QRandomGenerator &random, const QStringList &pieces, int most)
    {
        QString text;
        const int n = random.bounded(most + 1);
        for (int i = 0; i < n; ++i)
            text += pieces.at(random.bounded(int(pieces.size())));
        return text;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsSet("TARNWICK_FUZZ_SEED"))
            m_seed = qEnvironmentVariableIntValue("TARNWICK_FUZZ_SEED");
        if (qEnvironmentVariableIsSet("TARNWICK_FUZZ_COUNT"))
            m_count = qEnvironmentVariableIntValue("TARNWICK_FUZZ_COUNT");
        qInfo("seed %u, %d inputs a parser", m_seed, m_count);
    }

    void databaseSetting()
    {
        const QStringList pieces{QStringLiteral("sqlite:"),
                                 QStringLiteral("postgresql://"),
                                 QStringLiteral("oci:"),
                                 QStringLiteral("odbc:"),
                                 QStringLiteral("ann"),
                                 QStringLiteral(":"),
                                 QStringLiteral("@"),
                                 QStringLiteral("/"),
                                 QStringLiteral("db.example.org"),
                                 QStringLiteral("5432"),
                                 QStringLiteral("99999"),
                                 QStringLiteral("%"),
                                 QStringLiteral("%40"),
                                 QStringLiteral("?"),
                                 QStringLiteral("#"),
                                 QStringLiteral(" "),
                                 QStringLiteral("é"),
                                 QStringLiteral("pw"),
                                 QStringLiteral("dir"),
                                 QStringLiteral("["),
                                 QStringLiteral("::1"),
                                 QStringLiteral("]"),
                                 QStringLiteral("mysql://"),
                                 QStringLiteral("&"),
                                 QStringLiteral(","),
                                 QStringLiteral("="),
                                 QStringLiteral("sslmode=verify-full"),
                                 QStringLiteral("service=dir"),
                                 QStringLiteral("password=")};
        QRandomGenerator random(m_seed + 1);
        int accepted = 0;
        for (int i = 0; i < m_count; ++i) {
            // Most inputs carry a password in one of its places, among random text.
            QString text = pick(random, pieces, 8);
            const int form = i % 5;
            if (form == 1)
                text = QStringLiteral("postgresql://ann:secretpw@") + text;
            else if (form == 2)
                text = QStringLiteral("oci:ann/secretpw") + text;
            else if (form == 3)
                text = QStringLiteral("postgresql://") + text + QStringLiteral("?password=secretpw&") +
                       pick(random, pieces, 3);
            else if (form == 4)
                text = QStringLiteral("postgresql://ann:secret@pw@") + text;
            const QString where = QStringLiteral("seed %1 input %2: \"%3\"").arg(m_seed + 1).arg(i).arg(text);
            try {
                const DatabaseDescriptor d = DatabaseDescriptor::parse(text);
                ++accepted;
                switch (d.kind) {
                case DatabaseDescriptor::Kind::SQLite:
                    QVERIFY2(!d.path.isEmpty() && QDir::isAbsolutePath(d.path), qPrintable(where));
                    break;
                case DatabaseDescriptor::Kind::PostgreSQL:
                    // A service may leave the rest to the service file.
                    QVERIFY2(!d.option(QStringLiteral("service")).isEmpty() || (!d.host.isEmpty() && !d.name.isEmpty()),
                             qPrintable(where));
                    for (const DatabaseDescriptor::Server &server : d.servers)
                        QVERIFY2(!server.host.isEmpty() && server.port > 0 && server.port < 65536, qPrintable(where));
                    QVERIFY2(!PostgreSQLConnectOptions(d).contains(QLatin1StringView("secret")), qPrintable(where));
                    break;
                case DatabaseDescriptor::Kind::Oci:
                    QVERIFY2(!d.user.isEmpty() && !d.name.isEmpty(), qPrintable(where));
                    break;
                case DatabaseDescriptor::Kind::Odbc:
                    QVERIFY2(!d.name.trimmed().isEmpty(), qPrintable(where));
                    break;
                }
                if (form != 0)
                    QVERIFY2(!d.displayName().contains(QLatin1StringView("secret")), qPrintable(where));
            } catch (const DbError &error) {
                QVERIFY2(!error.message().isEmpty(), qPrintable(where));
                // A password never appears in what the user is shown.
                if (form != 0)
                    QVERIFY2(!error.message().contains(QLatin1StringView("secret")), qPrintable(where));
            }
        }
        QVERIFY2(accepted > 0, "no random setting was ever taken");
    }
};

TARNWICK_TEST_MAIN(TestParserFuzz)
#include "tst_parser_fuzz.moc"
