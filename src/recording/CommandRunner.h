#pragma once
// Runs a command line as a hidden child process and collects everything it writes to standard output and
// standard error, polling every 50 ms so a talkative tool never stalls on a full pipe.
#include <string>

namespace vorlix {

// The command line is in the system's narrow code page. Returns the joined output once the process has
// ended; empty when it could not be started. There is no time limit.
std::wstring ExecCmd(const std::string& commandLine);

}  // namespace vorlix
