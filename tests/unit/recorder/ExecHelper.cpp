// A small tool for the command runner's tests:  exec_helper <stdout bytes> <delay ms> [last words]
// writes the bytes in small pieces to standard output, a line to standard error every 4096 bytes, waits,
// then writes its last words to standard error just before it exits.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

int main(int argc, char** argv) {
  long bytes = argc > 1 ? std::atol(argv[1]) : 0;
  long delayMs = argc > 2 ? std::atol(argv[2]) : 0;
  std::string piece(512, 'x');
  for (long done = 0; done < bytes;) {
    long n = bytes - done < 512 ? bytes - done : 512;
    std::fwrite(piece.data(), 1, static_cast<size_t>(n), stdout);
    std::fflush(stdout);
    done += n;
    if (done % 4096 == 0) {
      std::fputs("-", stderr);
      std::fflush(stderr);
    }
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
  if (argc > 3) {
    std::fputs(argv[3], stderr);
    std::fflush(stderr);
  }
  return 3;
}
