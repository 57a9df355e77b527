#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

// Ends the test program with a message when the guarded scope has not finished within its
// bound, so a call that blocks for ever (a FIFO's open, an endless read) fails the test
// instead of hanging it. The bound is generous: it catches hangs, not slowness.
class HangGuard {
public:
    explicit HangGuard(const char* what, std::chrono::seconds bound = std::chrono::seconds(20))
        : m_watchdog([this, what, bound] {
              std::unique_lock<std::mutex> lock(m_mutex);
              if (!m_finished.wait_for(lock, bound, [this] { return m_done; })) {
                  std::fprintf(stderr, "FAIL!  %s did not return within %lld s\n", what,
                               static_cast<long long>(bound.count()));
                  std::_Exit(EXIT_FAILURE);
              }
          })
    {
    }

    ~HangGuard()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_done = true;
        }
        m_finished.notify_one();
        m_watchdog.join();
    }

    HangGuard(const HangGuard&) = delete;
    HangGuard& operator=(const HangGuard&) = delete;

private:
    std::mutex m_mutex;
    std::condition_variable m_finished;
    bool m_done = false;
    std::thread m_watchdog;  // last: it starts once the members it uses exist
};
