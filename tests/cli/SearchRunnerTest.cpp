#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>

#include "cli/InterruptScope.h"
#include "cli/SearchRunner.h"

namespace ordavin::cli {
namespace {

SearchWatch Watch(std::uint64_t visited, std::function<std::string()> notice = {}) {
  return {[visited](double) { return "Optimizing, " + std::to_string(visited) + " checked"; },
          std::move(notice)};
}

TEST(SearchRunnerTest, FinishedSearchReportsCompletion) {
  std::ostringstream progress;
  int runs = 0;
  const SearchOutcome outcome =
      RunSearch([&runs](const std::atomic<bool>&) { ++runs; }, Watch(0), true, progress);
  EXPECT_TRUE(outcome.started);
  EXPECT_FALSE(outcome.aborted);
  EXPECT_TRUE(outcome.failure.empty());
  EXPECT_GE(outcome.seconds, 0.0);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(progress.str(), "Optimization finished\n");
}

// A Ctrl-C that came between two searches, or after the last one ended, is not taken as a
// request to stop the next one.
TEST(SearchRunnerTest, AnEarlierRequestDoesNotAbortTheNextSearch) {
  InterruptScope::Requested().store(true);
  std::ostringstream progress;
  bool seenAtStart = true;
  const SearchOutcome outcome = RunSearch(
      [&seenAtStart](const std::atomic<bool>& abortRequested) {
        seenAtStart = abortRequested.load();
      },
      Watch(0), false, progress);
  EXPECT_FALSE(seenAtStart);
  EXPECT_FALSE(outcome.aborted);
  EXPECT_EQ(progress.str(), "Optimization finished\n");
}

#ifndef _WIN32
TEST(SearchRunnerTest, SigintAbortsAndTheHandlerIsRestoredAfterwards) {
  struct sigaction before {};
  ASSERT_EQ(sigaction(SIGINT, nullptr, &before), 0);
  std::ostringstream progress;
  const SearchOutcome outcome = RunSearch(
      [](const std::atomic<bool>& abortRequested) {
        std::raise(SIGINT);
        while (!abortRequested.load()) std::this_thread::yield();
      },
      Watch(7), false, progress);
  EXPECT_TRUE(outcome.aborted);
  EXPECT_EQ(progress.str(), "Optimization aborted by user\n");
  struct sigaction after {};
  ASSERT_EQ(sigaction(SIGINT, nullptr, &after), 0);
  EXPECT_EQ(after.sa_handler, before.sa_handler);

  // The next search starts afresh.
  const SearchOutcome next = RunSearch([](const std::atomic<bool>&) {}, Watch(0), false, progress);
  EXPECT_FALSE(next.aborted);
}
#endif

TEST(SearchRunnerTest, ProgressIsShownOnOneLineAndCleared) {
  std::ostringstream progress;
  const SearchOutcome outcome = RunSearch(
      [](const std::atomic<bool>&) { std::this_thread::sleep_for(std::chrono::milliseconds(600)); },
      Watch(12345678901234), true, progress);
  ASSERT_TRUE(outcome.started);
  const std::string text = progress.str();
  const std::string line = "\r\x1b[KOptimizing, 12345678901234 checked";
  EXPECT_TRUE(text.starts_with(line)) << text;
  EXPECT_TRUE(text.ends_with("\r\x1b[KOptimization finished\n")) << text;
  EXPECT_EQ(text.find('\n'), text.size() - 1);
}

TEST(SearchRunnerTest, ANoticeIsSaidOnceOnALineOfItsOwnWithOrWithoutProgress) {
  for (const bool showProgress : {true, false}) {
    std::ostringstream progress;
    std::atomic<bool> dropped{false};
    const SearchOutcome outcome = RunSearch(
        [&dropped](const std::atomic<bool>&) {
          std::this_thread::sleep_for(std::chrono::milliseconds(300));
          dropped = true;
          std::this_thread::sleep_for(std::chrono::milliseconds(600));
        },
        Watch(5, [&dropped] { return dropped ? std::string("Slower now") : std::string(); }),
        showProgress, progress);
    ASSERT_TRUE(outcome.started);
    const std::string text = progress.str();
    EXPECT_EQ(text.find("Slower now\n"), text.rfind("Slower now\n")) << text;
    EXPECT_NE(text.find("Slower now\n"), std::string::npos) << text;
    if (showProgress) {
      EXPECT_NE(text.find("\r\x1b[KSlower now\n"), std::string::npos) << text;
    } else {
      EXPECT_EQ(text, "Slower now\nOptimization finished\n");
    }
  }
  // A notice that comes only as the search ends is still said, before the completion.
  std::ostringstream quick;
  RunSearch([](const std::atomic<bool>&) {}, Watch(0, [] { return std::string("Late"); }), false,
            quick);
  EXPECT_EQ(quick.str(), "Late\nOptimization finished\n");
}

TEST(SearchRunnerTest, FailureIsReportedInsteadOfCompletion) {
  std::ostringstream progress;
  const SearchOutcome outcome =
      RunSearch([](const std::atomic<bool>&) { throw std::runtime_error("out of memory"); },
                Watch(0), false, progress);
  EXPECT_TRUE(outcome.started);
  EXPECT_EQ(outcome.failure, "out of memory");
  EXPECT_FALSE(outcome.aborted);
  EXPECT_EQ(progress.str(), "");
}

}  // namespace
}  // namespace ordavin::cli
