#pragma once

namespace Processing {
class DbError;
}

// Tells the user that the database refused or failed something, in a box titled
// "DataBase Error"; the program carries on.
void ShowDbError(const Processing::DbError &error);
