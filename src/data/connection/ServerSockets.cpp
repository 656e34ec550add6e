#include "data/connection/ServerSockets.h"

#include <QtGlobal>

#include <algorithm>
#include <cstring>

#ifdef Q_OS_LINUX
#include <dirent.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace Processing {

namespace {

#ifdef Q_OS_LINUX
template<typename T> bool contains(const std::vector<T> &list, const T &item)
{
    return std::find(list.cbegin(), list.cend(), item) != list.cend();
}

std::optional<std::string> peerOf(int socket)
{
    sockaddr_storage address{};
    socklen_t size = sizeof address;
    if (getpeername(socket, reinterpret_cast<sockaddr *>(&address), &size) != 0)
        return std::nullopt;
    return std::string(reinterpret_cast<const char *>(&address), size);
}
#endif

} // namespace

std::vector<int> OpenSockets()
{
    std::vector<int> sockets;
#ifdef Q_OS_LINUX
    DIR *folder = opendir("/proc/self/fd");
    if (!folder)
        return sockets;
    const int own = dirfd(folder);
    while (const dirent *entry = readdir(folder)) {
        char *end = nullptr;
        const long number = std::strtol(entry->d_name, &end, 10);
        if (end == entry->d_name || *end != '\0' || number == own)
            continue;
        struct stat status;
        int type = 0;
        socklen_t size = sizeof type;
        if (fstat(int(number), &status) == 0 && S_ISSOCK(status.st_mode) &&
            getsockopt(int(number), SOL_SOCKET, SO_TYPE, &type, &size) == 0 && type == SOCK_STREAM)
            sockets.push_back(int(number));
    }
    closedir(folder);
#endif
    return sockets;
}

std::vector<int> SocketsOpenedSince(const std::vector<int> &before)
{
    std::vector<int> opened;
#ifdef Q_OS_LINUX
    for (const int socket : OpenSockets())
        if (!contains(before, socket) && peerOf(socket))
            opened.push_back(socket);
#else
    Q_UNUSED(before);
#endif
    return opened;
}

SocketPeers PeersOf(const std::vector<int> &sockets)
{
    SocketPeers peers;
    peers.sockets = sockets;
#ifdef Q_OS_LINUX
    for (const int socket : sockets)
        if (std::optional<std::string> peer = peerOf(socket))
            peers.addresses.push_back(std::move(*peer));
#endif
    return peers;
}

std::vector<int> SocketsToSamePeer(const std::vector<int> &before, const SocketPeers &peers)
{
    std::vector<int> found;
#ifdef Q_OS_LINUX
    for (const int socket : OpenSockets()) {
        if (contains(before, socket) || contains(peers.sockets, socket))
            continue;
        if (const std::optional<std::string> peer = peerOf(socket); peer && contains(peers.addresses, *peer))
            found.push_back(socket);
    }
#else
    Q_UNUSED(before);
    Q_UNUSED(peers);
#endif
    return found;
}

std::optional<std::chrono::steady_clock::time_point> LastByteReceived(const std::vector<int> &sockets,
                                                                      std::chrono::steady_clock::time_point now)
{
    std::optional<std::chrono::steady_clock::time_point> last;
#ifdef Q_OS_LINUX
    for (const int socket : sockets) {
        tcp_info info{};
        socklen_t size = sizeof info;
        if (getsockopt(socket, IPPROTO_TCP, TCP_INFO, &info, &size) != 0)
            continue;
        const auto at = now - std::chrono::milliseconds(info.tcpi_last_data_recv);
        last = last ? std::max(*last, at) : at;
    }
#else
    Q_UNUSED(sockets);
    Q_UNUSED(now);
#endif
    return last;
}

void ShutDownSockets(const std::vector<int> &sockets)
{
#ifdef Q_OS_LINUX
    for (const int socket : sockets)
        shutdown(socket, SHUT_RDWR);
#else
    Q_UNUSED(sockets);
#endif
}

} // namespace Processing
