#include "support/NotPostgres.h"

#include "support/Ports.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quiltest {

NotPostgres::NotPostgres() {
    listener = boundSocket(&listeningPort);
    if (listener >= 0 && ::listen(listener, 8) == 0)
        thread = std::thread([this] { serve(); });
}

NotPostgres::~NotPostgres() {
    stopping = true;
    if (thread.joinable())
        thread.join();
    if (listener >= 0)
        ::close(listener);
}

void NotPostgres::serve() {
    static const char answer[] = "HTTP/1.0 400 Bad Request\r\nContent-Length: 0\r\n\r\n";
    while (!stopping) {
        pollfd waiting{listener, POLLIN, 0};
        if (::poll(&waiting, 1, 50) <= 0)
            continue;
        const int client = ::accept(listener, nullptr, nullptr);
        if (client < 0)
            continue;
        char request[256];
        pollfd reading{client, POLLIN, 0};
        if (::poll(&reading, 1, 2000) > 0) {
            [[maybe_unused]] const ssize_t got = ::read(client, request, sizeof request);
        }
        [[maybe_unused]] const ssize_t sent = ::write(client, answer, sizeof answer - 1);
        ::close(client);
    }
}

} // namespace quiltest
