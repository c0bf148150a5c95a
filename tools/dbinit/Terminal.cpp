#include "dbinit/Terminal.h"

#include <csignal>
#include <cstdio>
#include <iostream>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace dbinit {
namespace {

termios savedTerminal{};

// Ctrl-C at the prompt must not leave the terminal without echo.
extern "C" void restoreTerminalAndQuit(int signal) {
    tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
    const char newline = '\n';
    [[maybe_unused]] const auto written = write(STDERR_FILENO, &newline, 1);
    _exit(128 + signal);
}

} // namespace

std::optional<QByteArray> readHiddenLine(const char* prompt) {
    // Echo goes off before the prompt shows, so that nothing typed after it is ever echoed.
    const bool canHide = tcgetattr(STDIN_FILENO, &savedTerminal) == 0;
    if (canHide) {
        std::signal(SIGINT, restoreTerminalAndQuit);
        std::signal(SIGTERM, restoreTerminalAndQuit);
        termios hidden = savedTerminal;
        hidden.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &hidden);
    }
    std::fputs(prompt, stderr);
    std::fflush(stderr);
    std::string line;
    const bool got = bool(std::getline(std::cin, line));
    if (canHide) {
        tcsetattr(STDIN_FILENO, TCSANOW, &savedTerminal);
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
    }
    std::fputc('\n', stderr);
    if (!got)
        return std::nullopt;
    return QByteArray::fromStdString(line);
}

} // namespace dbinit
