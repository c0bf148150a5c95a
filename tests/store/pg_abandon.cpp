// Starts a test server, prints its process id and folder, and dies by SIGKILL without stopping
// it: a test process that ends while its server runs, with no handler or destructor run (a
// crash or an abort runs none of the fixture's either).
#include "support/PgServer.h"

#include <QCoreApplication>
#include <csignal>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    quiltest::PgServer server;
    if (!server.isUp()) {
        std::fprintf(stderr, "%s\n", qPrintable(server.error()));
        return 1;
    }
    std::printf("%lld %s\n", static_cast<long long>(server.processId()),
                qPrintable(server.folder()));
    std::fflush(stdout);
    std::raise(SIGKILL);
}
