#pragma once

class QSqlDatabase;

namespace Processing {

class DbError;

// Whether a failure on the connection means that the connection itself is gone (the server
// restarted or ended the session, the network dropped), as the driver tells it: libpq's own
// state of the connection, or a SQLSTATE of connection exceptions (class 08) or of the server
// ending the session (57P01 to 57P05, 25P03). Any other failure leaves the connection as it is.
bool ConnectionLost(const QSqlDatabase &db, const DbError &failure);

} // namespace Processing
