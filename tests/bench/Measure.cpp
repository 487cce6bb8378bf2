// measure OUT COMMAND...: runs COMMAND and writes "cpu_seconds peak_rss_kib exit_code" to the file OUT.
// scripts/bench runs every timed process through this small launcher: a process started straight from
// the Python script would report the script's own memory as its peak (Linux keeps the peak of the
// memory a process had before exec).
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: measure OUT COMMAND...\n");
    return 2;
  }
  pid_t child = fork();
  if (child == 0) {
    execvp(argv[2], argv + 2);
    _exit(127);
  }
  if (child < 0) return 2;
  int status = 0;
  rusage usage{};
  if (wait4(child, &status, 0, &usage) != child) return 2;
  double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
               static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  int code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  std::FILE* out = std::fopen(argv[1], "w");
  if (!out) return 2;
  std::fprintf(out, "%.6f %ld %d\n", cpu, usage.ru_maxrss, code);
  std::fclose(out);
  return code;
}
