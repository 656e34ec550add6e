#pragma once

namespace Processing {
class DbError;
}

// Tells the user that the database refused or failed something, in a box titled
// "DataBase Error"; the program carries on. A server that stopped answering is told once,
// though every step of the action that found it so fails.
void ShowDbError(const Processing::DbError &error);

// From now on, a change the server was slow to confirm but stored is told once the action that
// stored it is over.
void TellChangesStoredSlowly();
