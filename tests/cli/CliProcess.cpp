#include "CliProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <stdexcept>

namespace ordavin::cli::testing {
namespace {

using Clock = std::chrono::steady_clock;

void ClosePipe(std::array<int, 2>& pipe) {
  for (int& fd : pipe) {
    if (fd >= 0) close(fd);
    fd = -1;
  }
}

// Reads what is there; false once the writing end is closed.
bool Drain(int fd, std::string& into) {
  std::array<char, 65536> buffer{};
  const ssize_t n = read(fd, buffer.data(), buffer.size());
  if (n > 0) {
    into.append(buffer.data(), static_cast<std::size_t>(n));
    return true;
  }
  return n < 0 && (errno == EINTR || errno == EAGAIN);
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& arguments,
                 std::optional<std::chrono::milliseconds> interruptAfter,
                 std::chrono::milliseconds safetyLimit) {
  std::vector<std::string> argv{ORDAVIN_CLI_PATH};
  argv.insert(argv.end(), arguments.begin(), arguments.end());
  std::vector<char*> pointers;
  for (std::string& argument : argv) pointers.push_back(argument.data());
  pointers.push_back(nullptr);

  std::array<int, 2> outPipe{-1, -1};
  std::array<int, 2> errPipe{-1, -1};
  if (pipe2(outPipe.data(), O_CLOEXEC) != 0 || pipe2(errPipe.data(), O_CLOEXEC) != 0) {
    throw std::runtime_error("pipe2 failed");
  }
  const pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    const int devNull = open("/dev/null", O_RDONLY);
    if (devNull < 0 || dup2(devNull, STDIN_FILENO) < 0 || dup2(outPipe[1], STDOUT_FILENO) < 0 ||
        dup2(errPipe[1], STDERR_FILENO) < 0) {
      _exit(127);
    }
    execv(pointers[0], pointers.data());
    _exit(127);
  }
  close(outPipe[1]);
  outPipe[1] = -1;
  close(errPipe[1]);
  errPipe[1] = -1;

  CliResult result;
  const auto start = Clock::now();
  bool outOpen = true;
  bool errOpen = true;
  bool interrupted = false;
  while (outOpen || errOpen) {
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
    if (interruptAfter && !interrupted && elapsed >= *interruptAfter) {
      kill(pid, SIGINT);
      interrupted = true;
    }
    if (elapsed >= safetyLimit) {
      kill(pid, SIGKILL);
      result.timedOut = true;
      break;
    }
    std::array<pollfd, 2> fds{
        {{outOpen ? outPipe[0] : -1, POLLIN, 0}, {errOpen ? errPipe[0] : -1, POLLIN, 0}}};
    auto wait = safetyLimit - elapsed;
    if (interruptAfter && !interrupted) wait = std::min(wait, *interruptAfter - elapsed);
    const int ready = poll(fds.data(), fds.size(), static_cast<int>(wait.count()) + 1);
    if (ready < 0 && errno != EINTR) break;
    if (ready <= 0) continue;
    if (outOpen && (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
      outOpen = Drain(outPipe[0], result.out);
    }
    if (errOpen && (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
      errOpen = Drain(errPipe[0], result.err);
    }
  }
  ClosePipe(outPipe);
  ClosePipe(errPipe);

  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
  if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
  return result;
}

}  // namespace ordavin::cli::testing
