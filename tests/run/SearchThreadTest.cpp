#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <new>
#include <stdexcept>
#include <thread>

#include "run/SearchThread.h"

namespace ordavin {
namespace {

using namespace std::chrono_literals;

TEST(SearchThreadTest, RunsOnAnotherThreadAndReportsItsDuration) {
  SearchThread worker;
  std::atomic<bool> abort{false};
  std::promise<double> finished;
  std::thread::id searchThread;
  ASSERT_TRUE(worker.Start(
      [&](const std::atomic<bool>&) {
        searchThread = std::this_thread::get_id();
        std::this_thread::sleep_for(50ms);
      },
      abort, [&](double seconds) { finished.set_value(seconds); }));
  const double seconds = finished.get_future().get();
  worker.Join();
  EXPECT_NE(searchThread, std::this_thread::get_id());
  EXPECT_GE(seconds, 0.045);
  EXPECT_EQ(worker.Duration(), seconds);
  EXPECT_TRUE(worker.Failure().empty());
}

TEST(SearchThreadTest, TheSearchSeesTheAbortFlag) {
  SearchThread worker;
  std::atomic<bool> abort{false};
  std::atomic<std::uint64_t> visited{0};
  ASSERT_TRUE(worker.Start(
      [&](const std::atomic<bool>& stop) {
        while (!stop.load(std::memory_order_relaxed)) visited.fetch_add(1);
      },
      abort, nullptr));
  while (visited.load() < 10) std::this_thread::yield();
  abort = true;
  worker.Join();
  EXPECT_GE(visited.load(), 10u);
}

TEST(SearchThreadTest, OneSearchAtATimeAndRestartAfterJoin) {
  SearchThread worker;
  std::atomic<bool> abort{false};
  std::atomic<bool> release{false};
  ASSERT_TRUE(worker.Start(
      [&](const std::atomic<bool>&) {
        while (!release) std::this_thread::yield();
      },
      abort, nullptr));
  EXPECT_FALSE(worker.Start([](const std::atomic<bool>&) {}, abort, nullptr));
  release = true;
  worker.Join();
  int runs = 0;
  ASSERT_TRUE(worker.Start([&](const std::atomic<bool>&) { ++runs; }, abort, nullptr));
  worker.Join();
  EXPECT_EQ(runs, 1);
}

TEST(SearchThreadTest, AFailingSearchIsReportedNotFatal) {
  SearchThread worker;
  std::atomic<bool> abort{false};
  bool completed = false;
  ASSERT_TRUE(worker.Start([](const std::atomic<bool>&) { throw std::bad_alloc(); }, abort,
                           [&](double) { completed = true; }));
  worker.Join();
  EXPECT_TRUE(completed);
  EXPECT_EQ(worker.Failure(), "Not enough memory for the search.");

  // Any other failure keeps its own words; a later run that succeeds clears them.
  ASSERT_TRUE(worker.Start(
      [](const std::atomic<bool>&) { throw std::length_error("vector::_M_default_append"); }, abort,
      nullptr));
  worker.Join();
  EXPECT_EQ(worker.Failure(), "vector::_M_default_append");
  ASSERT_TRUE(worker.Start([](const std::atomic<bool>&) {}, abort, nullptr));
  worker.Join();
  EXPECT_EQ(worker.Failure(), "");
}

}  // namespace
}  // namespace ordavin
