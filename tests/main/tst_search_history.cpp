#include "main/SearchHistory.h"
#include "support/Inspect.h"
#include "support/TestMain.h"

#include <QTest>

// The ring of the last five search conditions, with the quirks stored habits rely on.
class TestSearchHistory : public QObject
{
    Q_OBJECT

private:
    static QStringList slots(const SearchHistory &history)
    {
        QStringList texts;
        for (int i = 0; i < 5; ++i)
            texts.append(Inspect::Slot(history, i));
        return texts;
    }

private Q_SLOTS:
    void anEmptyRingRestoresNothing()
    {
        SearchHistory history;
        QCOMPARE(history.back(), std::nullopt);
        QCOMPARE(Inspect::Position(history), 0);
        QCOMPARE(history.forward(), std::nullopt);
        QCOMPARE(Inspect::Position(history), 0);
        // An empty condition is stored, but stepping passes over it.
        history.record(QString());
        QCOMPARE(Inspect::WriteIndex(history), 1);
        QCOMPARE(history.back(), std::nullopt);
    }

    void backAndForwardSkipEmptySlots()
    {
        SearchHistory history;
        history.record(QStringLiteral("A"));
        history.record(QStringLiteral("B"));
        history.record(QStringLiteral("C"));
        QCOMPARE(history.back(), QStringLiteral("C"));
        QCOMPARE(Inspect::Position(history), 2);
        QCOMPARE(history.back(), QStringLiteral("B"));
        QCOMPARE(history.back(), QStringLiteral("A"));
        QCOMPARE(history.back(), QStringLiteral("C"));
        QCOMPARE(history.forward(), QStringLiteral("A"));
        QCOMPARE(Inspect::Position(history), 0);
        QCOMPARE(history.forward(), QStringLiteral("B"));
    }

    void theSixthConditionOverwritesTheFirst()
    {
        SearchHistory history;
        for (const char *condition : {"A", "B", "C", "D", "E"})
            history.record(QString::fromLatin1(condition));
        // Between the fifth recording and the next the write position rests at 5.
        QCOMPARE(Inspect::WriteIndex(history), 5);
        history.record(QStringLiteral("F"));
        QCOMPARE(slots(history), (QStringList{QStringLiteral("F"), QStringLiteral("B"), QStringLiteral("C"),
                                              QStringLiteral("D"), QStringLiteral("E")}));
        QCOMPARE(Inspect::WriteIndex(history), 1);
        history.record(QStringLiteral("G"));
        QCOMPARE(Inspect::Slot(history, 1), QStringLiteral("G"));
        QCOMPARE(Inspect::Slot(history, 5), QString());
    }

    void recordingAndSteppingKeepTheirOwnPositions()
    {
        SearchHistory history;
        history.record(QStringLiteral("A"));
        history.record(QStringLiteral("B"));
        history.record(QStringLiteral("C"));
        QCOMPARE(history.back(), QStringLiteral("C"));
        QCOMPARE(history.back(), QStringLiteral("B"));
        history.record(QStringLiteral("D"));
        QCOMPARE(Inspect::Position(history), 1);
        QCOMPARE(Inspect::WriteIndex(history), 4);
        QCOMPARE(history.back(), QStringLiteral("A"));
        QCOMPARE(Inspect::WriteIndex(history), 4);
        QCOMPARE(history.forward(), QStringLiteral("B"));
        QCOMPARE(history.forward(), QStringLiteral("C"));
        QCOMPARE(history.forward(), QStringLiteral("D"));
    }
};

TARNWICK_TEST_MAIN(TestSearchHistory)
#include "tst_search_history.moc"
