// What the tests of many threads share: running one body in several threads at once.
#pragma once

#include <thread>
#include <vector>

#include "rk_test.hpp"

namespace rktest {

// Runs `body(k)` in threads k = 0 .. n - 1 at once and waits for all of them.
template <class Body>
void in_threads(int n, Body body)
{
    std::vector<std::thread> threads;
    for (int k = 0; k < n; ++k) threads.emplace_back(body, k);
    for (std::thread& thread : threads) thread.join();
}

}  // namespace rktest
