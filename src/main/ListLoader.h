#pragma once

#include "data/DbError.h"
#include "data/rows/PlacesList.h"
#include "main/RunSettings.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class PlacesModel;
class QTimer;
class WaitCursor;

// Loads the places list into its model. Most lists are read at once; a long one goes on in steps
// from the event loop, so the window paints and can count the places read, under the wait
// cursor. The model shows none of them until all are read, so a click meanwhile never meets half
// a list.
//
// A list loading in steps holds the one connection's statement open, so every command that sends
// statements or needs the whole list waits for it here, in the order asked.
class ListLoader : public QObject
{
    Q_OBJECT

public:
    ListLoader(PlacesModel &places, ListLoadTiming timing, QObject *parent);
    ~ListLoader() override;

    bool Loading() const;

    // Gives up a load under way and loads the rows opened: true when they were read at once
    // (the model's failure then tells how that ended); false when the rest is read in steps.
    bool Load(Processing::PlacesListRows rows);
    // Gives up a load under way; what waits for it waits for the next one.
    void GiveUp();

    // Runs `run` at once when no list loads, else once the list is whole. `owner` and `command`
    // name a command, which is not queued twice; nothing runs for an owner that is gone.
    void WhenWhole(QObject *owner, int command, std::function<void()> run);
    // Runs `then` once the list loading now has ended, with the failure that ended it, if any:
    // `then` tells the user of it. At once, without a failure, when no list loads.
    void AfterLoaded(QObject *owner, std::function<void(const std::optional<Processing::DbError> &failure)> then);
    // Runs what waits, in order, until one of them starts another load.
    void RunWaiting();
    // Runs what waits from the event loop, if no list loads by then.
    void RunWaitingLater();
    // Drops what waits for owner.
    void Forget(QObject *owner);
    // Hands what others wait for to the event loop, to run without a list, and drops owner's.
    void HandOver(QObject *owner);

Q_SIGNALS:
    // A load goes on in steps, and how many places it has read.
    void progress(qsizetype read);
    // A load in steps has ended or was given up.
    void stopped();
    // A load in steps has ended with every place read, or on a failure; toldByWaiting when a
    // command waiting for the list takes on telling the user of it.
    void whole();
    void failed(const Processing::DbError &failure, bool toldByWaiting);

private:
    // Reads the list for up to `milliseconds`; true once the load has ended.
    bool readFor(qint64 milliseconds);
    void step();
    void end();

    PlacesModel &m_places;
    const ListLoadTiming m_timing;
    QTimer *m_steps = nullptr;
    std::unique_ptr<WaitCursor> m_cursor; // while a list loads in steps
    struct Waiting
    {
        QPointer<QObject> owner; // the window that asked
        int command;
        // Handed the failure of the load it was asked during; none when that load was given up.
        std::function<void(const std::optional<Processing::DbError> &)> run;
        bool tellsFailure; // takes on telling the user why the load failed
        bool forThisLoad;
    };
    std::vector<Waiting> m_waiting;
};
