#include "unit/net/CannedServer.h"

namespace vorlix::test {

CannedServer::CannedServer(Handler handler) : m_handler(std::move(handler)) {
  sock::Startup();
  m_listener = sock::ListenLoopback(m_port);
  m_thread = std::thread([this] { Run(); });
}

CannedServer::~CannedServer() {
  m_stop = true;
  m_thread.join();
  sock::Close(m_listener);
}

void CannedServer::Run() {
  while (!m_stop) {
    std::intptr_t client = sock::Accept(m_listener, 100);
    if (client == -1) continue;
    std::string head;
    char buffer[4096];
    while (head.find("\r\n\r\n") == std::string::npos) {
      int n = sock::Recv(client, buffer, sizeof buffer);
      if (n <= 0) break;
      head.append(buffer, n);
    }
    m_handler(head, [client](const std::string& bytes) { return sock::SendAll(client, bytes.data(), bytes.size()); });
    sock::Close(client);
  }
}

}  // namespace vorlix::test
