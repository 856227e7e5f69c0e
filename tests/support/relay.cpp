#include "support/relay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>

namespace kob::test {

struct Relay::Link {
    int client = -1;
    int server = -1;
};

namespace {

constexpr int kPollMs = 20;

bool SendAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t sent = ::send(fd, data, size, MSG_NOSIGNAL);
        if (sent <= 0) {
            return false;
        }
        data += sent;
        size -= static_cast<size_t>(sent);
    }
    return true;
}

sockaddr_in Local(unsigned port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

}  // namespace

Relay::Relay(unsigned target_port) : target_port_(target_port) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Local(0);  // any free port
    socklen_t length = sizeof address;
    if (listener_ < 0 ||
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 8) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return;
    }
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { Accept(); });
}

Relay::~Relay() {
    stop_ = true;
    if (acceptor_.joinable()) {
        acceptor_.join();
    }
    for (std::thread& pump : pumps_) {
        pump.join();
    }
    for (const auto& link : links_) {
        ::close(link->client);
        ::close(link->server);
    }
    if (listener_ >= 0) {
        ::close(listener_);
    }
}

void Relay::Hold() {
    const std::lock_guard<std::mutex> lock(mutex_);
    holding_ = true;
}

void Relay::Deliver() {
    const std::lock_guard<std::mutex> lock(mutex_);
    holding_ = false;
}

bool Relay::WaitServerClosed(std::chrono::milliseconds timeout) {
    std::unique_lock<std::mutex> lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] { return open_links_ == 0; });
}

void Relay::Accept() {
    while (!stop_) {
        pollfd ready{listener_, POLLIN, 0};
        if (::poll(&ready, 1, kPollMs) <= 0) {
            continue;
        }
        const int client = ::accept(listener_, nullptr, nullptr);
        if (client < 0) {
            continue;
        }
        const int server = ::socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in target = Local(target_port_);
        if (server < 0 ||
            ::connect(server, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0) {
            ::close(client);
            if (server >= 0) {
                ::close(server);
            }
            continue;
        }
        const std::lock_guard<std::mutex> lock(mutex_);
        links_.push_back(std::make_unique<Link>(Link{client, server}));
        ++open_links_;
        pumps_.emplace_back([this, link = links_.back().get()] { Pump(*link); });
    }
}

// Both directions of one connection, until the server ends it.
void Relay::Pump(Link& link) {
    std::string held;
    bool client_open = true;
    bool server_told_hang_up = false;
    char buffer[16384];
    while (!stop_) {
        bool holding = false;
        {
            const std::lock_guard<std::mutex> lock(mutex_);
            holding = holding_;
        }
        if (!holding && !held.empty()) {
            if (!SendAll(link.server, held.data(), held.size())) {
                break;
            }
            held.clear();
        }
        if (!holding && !client_open && !server_told_hang_up) {
            ::shutdown(link.server, SHUT_WR);  // as the client's hang-up reaches it
            server_told_hang_up = true;
        }
        pollfd ready[2] = {{link.server, POLLIN, 0}, {client_open ? link.client : -1, POLLIN, 0}};
        if (::poll(ready, 2, kPollMs) <= 0) {
            continue;
        }
        if (ready[0].revents != 0) {
            const ssize_t got = ::recv(link.server, buffer, sizeof buffer, 0);
            if (got <= 0) {
                break;  // the server ended the session
            }
            if (client_open) {
                SendAll(link.client, buffer, static_cast<size_t>(got));
            }
        }
        if (ready[1].revents != 0) {
            const ssize_t got = ::recv(link.client, buffer, sizeof buffer, 0);
            {
                // Held from the moment Hold returns, even if the poll began before.
                const std::lock_guard<std::mutex> lock(mutex_);
                holding = holding_;
            }
            if (got <= 0) {
                client_open = false;
            } else if (holding || !held.empty()) {
                held.append(buffer, static_cast<size_t>(got));
            } else if (!SendAll(link.server, buffer, static_cast<size_t>(got))) {
                break;
            }
        }
    }
    ::shutdown(link.client, SHUT_RDWR);
    const std::lock_guard<std::mutex> lock(mutex_);
    --open_links_;
    changed_.notify_all();
}

}  // namespace kob::test
