#pragma once

namespace quiltest {

// A TCP socket bound to 127.0.0.1 at a port the system chose, which *port receives; -1 on
// failure.
int boundSocket(int* port);

// A port at 127.0.0.1 that nobody listens on at this moment (another program may still take
// it before the caller does).
int unusedPort();

} // namespace quiltest
