#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "base/TextConv.h"
#include "recording/CommandRunner.h"

namespace vorlix {
namespace {

// Reads whatever the pipe holds now, in chunks of at most 1023 bytes, without ever blocking.
// Returns false once every writer has closed the pipe.
bool Drain(int readEnd, std::string& bytes) {
  char buf[1024];
  for (;;) {
    ssize_t got = read(readEnd, buf, 1023);
    if (got > 0) {
      bytes.append(buf, static_cast<size_t>(got));
      continue;
    }
    if (got < 0 && errno == EINTR) continue;
    return got < 0;  // empty for now (EAGAIN), or closed
  }
}

}  // namespace

// The same contract as on Windows: the shell parses the line and searches the path; standard output and
// standard error share one pipe, polled every 50 ms; standard input is empty so no tool waits for keys.
std::wstring ExecCmd(const std::string& commandLine) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return {};
  pid_t pid = fork();
  if (pid < 0) {
    close(fds[0]);
    close(fds[1]);
    return {};
  }
  if (pid == 0) {
    int devNull = open("/dev/null", O_RDONLY);
    if (devNull >= 0) dup2(devNull, 0);
    dup2(fds[1], 1);
    dup2(fds[1], 2);
    execl("/bin/sh", "sh", "-c", commandLine.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  fcntl(fds[0], F_SETFL, fcntl(fds[0], F_GETFL) | O_NONBLOCK);

  std::string bytes;
  bool open = true;
  for (;;) {
    // A pipe closed early (the tool shut its outputs but runs on) would make poll return at once.
    pollfd p{fds[0], POLLIN, 0};
    poll(&p, open ? 1 : 0, 50);
    int status = 0;
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (open) open = Drain(fds[0], bytes);
    if (done == pid || (done < 0 && errno != EINTR)) break;
  }
  close(fds[0]);
  return AnsiToWide(bytes);
}

}  // namespace vorlix
