#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "unit/net/CannedServer.h"

namespace vorlix::test::sock {

bool Startup() { return true; }

std::intptr_t ListenLoopback(int& port) {
  int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  listen(s, 16);
  socklen_t len = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  port = ntohs(a.sin_port);
  return s;
}

std::intptr_t Accept(std::intptr_t listener, int timeoutMs) {
  pollfd p{static_cast<int>(listener), POLLIN, 0};
  if (poll(&p, 1, timeoutMs) <= 0) return -1;
  return accept(static_cast<int>(listener), nullptr, nullptr);
}

int Recv(std::intptr_t s, char* buffer, int size) { return static_cast<int>(recv(static_cast<int>(s), buffer, size, 0)); }

bool SendAll(std::intptr_t s, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = send(static_cast<int>(s), data, size, MSG_NOSIGNAL);
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

void Close(std::intptr_t s) { close(static_cast<int>(s)); }

}  // namespace vorlix::test::sock
