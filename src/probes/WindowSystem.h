#pragma once
// What game detection asks of the windowing system, so the matching and filter rules run against a fake
// window list in tests. Window ids are the platform's handles as integers; 0 is "no window".
#include <cstdint>
#include <string>
#include <vector>

namespace vorlix {

using WindowId = std::uintptr_t;

struct WindowFacts {
  bool visible = false;
  bool minimised = false;
  bool toolWindow = false;  // extended style WS_EX_TOOLWINDOW
  bool child = false;       // style WS_CHILD
  long clientRight = 0;
  long clientBottom = 0;
};

class IWindowSystem {
 public:
  virtual ~IWindowSystem() = default;
  // Child-window search of the desktop (FindWindowEx with no class and no title).
  virtual WindowId FirstBySearch() = 0;
  virtual WindowId NextBySearch(WindowId after) = 0;
  // Window relations (GetWindow: the desktop's first child, then the next window).
  virtual WindowId FirstByRelation() = 0;
  virtual WindowId NextByRelation(WindowId after) = 0;
  virtual WindowFacts Facts(WindowId w) = 0;
  virtual std::wstring ClassName(WindowId w) = 0;  // at most 255 characters
  virtual std::wstring Title(WindowId w) = 0;
  virtual std::uint32_t ProcessOf(WindowId w) = 0;
  // The image file name's last component; empty when the process cannot be opened or read.
  virtual std::wstring ExecutableOf(std::uint32_t processId) = 0;
  virtual std::vector<WindowId> Children(WindowId w) = 0;
  virtual std::uint32_t OwnProcess() = 0;
  // A window directly under the desktop with exactly this title, any class (FindWindowA).
  virtual bool HasTopLevelTitled(const std::string& ansiTitle) = 0;
  // Locale-aware, case-sensitive equality of two titles.
  virtual bool SameTitle(const std::wstring& a, const std::wstring& b) = 0;
};

// The system's own windows (win32/ only; natively there is none).
IWindowSystem& SystemWindows();

}  // namespace vorlix
