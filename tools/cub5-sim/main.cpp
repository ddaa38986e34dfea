// SPDX-License-Identifier: GPL-3.0-or-later
// cub5-sim: a CUB5 counter on a pseudo-terminal, for tests, the demo and
// operator training.
//
//   cub5-sim [--link PATH]
//
// Prints "device: /dev/pts/N" (use it, or PATH, as the encoder port in
// disc.cfg). Standard input turns the dial: a position per line ("152.3"),
// optionally with a noise amplitude ("152.3 0.2"); "noise A", "silent",
// "garbage", "slow MS", "normal" choose how the counter answers; "quit" ends.
// Replies are paced like a 9600-baud line (about 26 ms per request).
#include "Cub5Simulator.h"
#include "util/VersionText.h"

#include <QCommandLineParser>
#include <QStringList>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {
const char* const kUsage =
    "Usage: cub5-sim [--link PATH]\n"
    "A CUB5 counter on a pseudo-terminal, for tests, the demo and operator training.\n\n"
    "Options:\n"
    "  --link PATH    also make PATH a link to the device\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n\n"
    "Prints \"device: PATH\": the encoder port for disc.cfg. Standard input turns the\n"
    "dial: a position per line (\"152.3\", or \"152.3 0.2\" with noise); \"noise A\",\n"
    "\"silent\", \"garbage\", \"slow MS\" and \"normal\" choose how the counter answers;\n"
    "\"quit\" ends.\n\n"
    "Exit status:\n"
    "  0  standard input closed or quit\n"
    "  1  no pseudo-terminal or link could be made\n"
    "  2  the command line is not understood\n";
// A pseudo-terminal at 9600 baud, raw, as the CUB5's serial line; its
// name, or `link` to it, is printed for the program under test. False when
// none can be made (said on stderr).
bool OpenLine(const std::string& link, int* master, int* slave) {
    char name[256] = {0};
    if (openpty(master, slave, name, nullptr, nullptr) != 0) {
        std::perror("cub5-sim: openpty");
        return false;
    }
    termios raw{};
    tcgetattr(*slave, &raw);
    cfmakeraw(&raw);
    cfsetispeed(&raw, B9600);
    cfsetospeed(&raw, B9600);
    tcsetattr(*slave, TCSANOW, &raw);
    if (!link.empty()) {
        unlink(link.c_str());
        if (symlink(name, link.c_str()) != 0) {
            std::perror("cub5-sim: symlink");
            return false;
        }
    }
    std::printf("device: %s\n", link.empty() ? name : link.c_str());
    std::fflush(stdout);
    return true;
}

// Answers the line's requests and follows the commands of standard input
// until it closes or says "quit".
void Serve(int master) {
    Cub5Simulator counter;
    std::string input;
    for (;;) {
        pollfd fds[2] = {{master, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        if (fds[0].revents & POLLIN) {
            char buf[256];
            const ssize_t n = read(master, buf, sizeof buf);
            if (n > 0) {
                const std::string reply = counter.Receive(std::string(buf, static_cast<size_t>(n)));
                if (!reply.empty()) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(counter.ReplyDelayMs()));
                    if (write(master, reply.data(), reply.size()) < 0) {
                        std::perror("cub5-sim: write");
                    }
                }
            }
        }
        if (fds[1].revents & (POLLIN | POLLHUP)) {
            char buf[256];
            const ssize_t n = read(STDIN_FILENO, buf, sizeof buf);
            if (n <= 0) {
                break; // standard input closed: the test or trainee is done
            }
            input.append(buf, static_cast<size_t>(n));
            size_t end;
            bool quit = false;
            while ((end = input.find('\n')) != std::string::npos) {
                std::string message;
                if (!counter.Command(input.substr(0, end), &message)) {
                    quit = true;
                    break;
                }
                input.erase(0, end + 1);
                std::printf("%s\n", message.c_str());
                std::fflush(stdout);
            }
            if (quit) {
                break;
            }
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("link"), QStringLiteral("link"), QStringLiteral("PATH")});
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("help")});
    parser.addOption({{QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("version")});
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        if (!parser.errorText().isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        }
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::printf("%s", kUsage);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("%s", qPrintable(quillon::VersionText("cub5-sim")));
        return 0;
    }
    const std::string link = parser.value(QStringLiteral("link")).toStdString();
    int master = -1;
    int slave = -1;
    if (!OpenLine(link, &master, &slave)) {
        return 1;
    }
    Serve(master);
    if (!link.empty()) {
        unlink(link.c_str());
    }
    close(master);
    close(slave);
    return 0;
}
