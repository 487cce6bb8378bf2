#pragma once
// A one-purpose HTTP server on 127.0.0.1 for answers the development service does not give (redirects,
// answers held back mid-body, oversized bodies). Each connection's request head is read, then the
// handler writes whatever bytes it likes and the connection is closed.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <thread>

namespace vorlix::test {

class CannedServer {
 public:
  // send() writes raw bytes to the client; false once the client has gone.
  using Send = std::function<bool(const std::string&)>;
  using Handler = std::function<void(const std::string& requestHead, const Send& send)>;

  explicit CannedServer(Handler handler);
  ~CannedServer();
  std::string BaseUrl() const { return "http://127.0.0.1:" + std::to_string(m_port); }

 private:
  void Run();
  Handler m_handler;
  std::intptr_t m_listener = -1;
  int m_port = 0;
  std::atomic<bool> m_stop{false};
  std::thread m_thread;
};

// The socket calls, one seam per platform.
namespace sock {
bool Startup();
std::intptr_t ListenLoopback(int& port);
std::intptr_t Accept(std::intptr_t listener, int timeoutMs);  // -1 on time-out
int Recv(std::intptr_t s, char* buffer, int size);
bool SendAll(std::intptr_t s, const char* data, std::size_t size);
void Close(std::intptr_t s);
}  // namespace sock

}  // namespace vorlix::test
