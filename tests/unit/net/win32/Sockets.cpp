#include <winsock2.h>
#include <ws2tcpip.h>

#include "unit/net/CannedServer.h"

namespace vorlix::test::sock {

bool Startup() {
  WSADATA data;
  return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

std::intptr_t ListenLoopback(int& port) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  listen(s, 16);
  int len = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  port = ntohs(a.sin_port);
  return static_cast<std::intptr_t>(s);
}

std::intptr_t Accept(std::intptr_t listener, int timeoutMs) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(static_cast<SOCKET>(listener), &set);
  timeval tv{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
  if (select(0, &set, nullptr, nullptr, &tv) <= 0) return -1;
  SOCKET c = accept(static_cast<SOCKET>(listener), nullptr, nullptr);
  return c == INVALID_SOCKET ? -1 : static_cast<std::intptr_t>(c);
}

int Recv(std::intptr_t s, char* buffer, int size) { return recv(static_cast<SOCKET>(s), buffer, size, 0); }

bool SendAll(std::intptr_t s, const char* data, std::size_t size) {
  while (size > 0) {
    int n = send(static_cast<SOCKET>(s), data, static_cast<int>(size), 0);
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

void Close(std::intptr_t s) {
  shutdown(static_cast<SOCKET>(s), SD_SEND);
  closesocket(static_cast<SOCKET>(s));
}

}  // namespace vorlix::test::sock
