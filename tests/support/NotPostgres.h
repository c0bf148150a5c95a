#pragma once

#include <atomic>
#include <thread>

namespace quiltest {

// A program at 127.0.0.1 that is no PostgreSQL server: every connection gets an HTTP answer
// and is closed.
class NotPostgres {
public:
    NotPostgres();
    ~NotPostgres();
    NotPostgres(const NotPostgres&) = delete;
    NotPostgres& operator=(const NotPostgres&) = delete;

    int port() const { return listeningPort; }

private:
    void serve();

    int listener = -1;
    int listeningPort = 0;
    std::atomic<bool> stopping{false};
    std::thread thread;
};

} // namespace quiltest
