// A service that takes every connection on the given local sockets and never answers: a sound
// server or speech service that hangs, for the close test. Runs until killed.
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv) {
    std::vector<pollfd> watched;
    for (int i = 1; i < argc; ++i) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, argv[i], sizeof address.sun_path - 1);
        ::unlink(argv[i]);
        if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(fd, 64) != 0) {
            std::perror(argv[i]);
            return 1;
        }
        watched.push_back({fd, POLLIN, 0});
    }
    std::vector<int> held; // open and unanswered, as a hung service leaves them
    for (;;) {
        if (::poll(watched.data(), watched.size(), -1) < 0) continue;
        for (pollfd& w : watched) {
            if (w.revents & POLLIN) {
                const int peer = ::accept(w.fd, nullptr, nullptr);
                if (peer >= 0) held.push_back(peer);
            }
        }
    }
}
