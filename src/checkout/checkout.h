#pragma once

namespace kob {

class Program;

class Checkout {
public:
    explicit Checkout(Program& program) : program_(program) {}
    // Binds this subsystem's handlers to the window's controls.
    void BindEvents() {}

private:
    [[maybe_unused]] Program& program_;
};

}  // namespace kob
