#pragma once
// A TCP relay on a free local port that forwards to the test server and can
// keep back what clients send, to deliver it later: a slow network, which
// the server never sees as stalled.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace kob::test {

class Relay {
  public:
    // Forwards to 127.0.0.1:target_port; Port() is 0 when it could not listen.
    explicit Relay(unsigned target_port);
    ~Relay();
    Relay(const Relay&) = delete;
    Relay& operator=(const Relay&) = delete;

    unsigned Port() const { return port_; }
    // From now on every client's bytes are kept back, in order, and a client
    // that hangs up leaves its server side open, until Deliver.
    void Hold();
    // Sends what was kept back and forwards as before; a client that hung up
    // meanwhile is then hung up at the server too.
    void Deliver();
    // Waits until the server has ended every connection relayed so far (it
    // ran what it was sent and saw the hang-up, or its session was killed).
    bool WaitServerClosed(std::chrono::milliseconds timeout);

  private:
    struct Link;
    void Accept();
    void Pump(Link& link);

    unsigned target_port_;
    unsigned port_ = 0;
    int listener_ = -1;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
    bool holding_ = false;
    int open_links_ = 0;
    std::vector<std::unique_ptr<Link>> links_;
    std::vector<std::thread> pumps_;
    std::thread acceptor_;
};

}  // namespace kob::test
