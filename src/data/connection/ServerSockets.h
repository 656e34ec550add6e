#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace Processing {

// The sockets a database driver talks to its server over, found without the driver's help:
// a wait on the server is timed from the last byte that arrived on them, and ended by closing
// them. Linux lists a process's sockets; elsewhere none are found, and a wait is timed from its
// start and ended by the server's cancel alone.

// The process's stream sockets now, by descriptor.
std::vector<int> OpenSockets();
// The connected stream sockets of now that are not among before.
std::vector<int> SocketsOpenedSince(const std::vector<int> &before);
// Where sockets lead, read while they are open: one shut down no longer tells.
struct SocketPeers
{
    std::vector<int> sockets;
    std::vector<std::string> addresses;
};
SocketPeers PeersOf(const std::vector<int> &sockets);
// The sockets of now not among before (nor among peers' own) that lead where one of peers leads.
std::vector<int> SocketsToSamePeer(const std::vector<int> &before, const SocketPeers &peers);

// When a byte last arrived on one of the sockets, as TCP tells it; none where it cannot tell.
std::optional<std::chrono::steady_clock::time_point> LastByteReceived(const std::vector<int> &sockets,
                                                                      std::chrono::steady_clock::time_point now);

// Shuts the sockets down both ways: a driver waiting on one returns at once as from a closed
// connection. The descriptors stay their owner's to close.
void ShutDownSockets(const std::vector<int> &sockets);

} // namespace Processing
