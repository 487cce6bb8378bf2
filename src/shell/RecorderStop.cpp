#include "shell/RecorderStop.h"

#include <atomic>

namespace vorlix {
namespace {
std::atomic<RecorderTerminator> g_terminator{nullptr};
}

void SetRecorderTerminator(RecorderTerminator terminator) { g_terminator = terminator; }

void TerminateRecorderProcess() {
  if (RecorderTerminator t = g_terminator.load()) t();
}

}  // namespace vorlix
