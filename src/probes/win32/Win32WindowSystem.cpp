// The desktop's windows through USER32 and the owning processes through the kernel.
#include <windows.h>

#include "probes/WindowSystem.h"

namespace vorlix {
namespace {

HWND H(WindowId w) { return reinterpret_cast<HWND>(w); }
WindowId Id(HWND h) { return reinterpret_cast<WindowId>(h); }

class CWin32WindowSystem : public IWindowSystem {
 public:
  WindowId FirstBySearch() override { return Id(FindWindowExW(GetDesktopWindow(), nullptr, nullptr, nullptr)); }
  WindowId NextBySearch(WindowId after) override {
    return Id(FindWindowExW(GetDesktopWindow(), H(after), nullptr, nullptr));
  }
  WindowId FirstByRelation() override { return Id(GetWindow(GetDesktopWindow(), GW_CHILD)); }
  WindowId NextByRelation(WindowId after) override { return Id(GetWindow(H(after), GW_HWNDNEXT)); }

  WindowFacts Facts(WindowId w) override {
    WindowFacts f;
    HWND h = H(w);
    f.visible = IsWindowVisible(h) != FALSE;
    f.minimised = IsIconic(h) != FALSE;
    f.toolWindow = (GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
    f.child = (GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD) != 0;
    RECT client{};
    if (GetClientRect(h, &client)) {
      f.clientRight = client.right;
      f.clientBottom = client.bottom;
    }
    return f;
  }

  std::wstring ClassName(WindowId w) override {
    wchar_t name[256] = {};
    int n = GetClassNameW(H(w), name, 256);
    return std::wstring(name, n > 0 ? n : 0);
  }

  std::wstring Title(WindowId w) override {
    int length = GetWindowTextLengthW(H(w));
    if (length <= 0) return std::wstring();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    int n = GetWindowTextW(H(w), &text[0], length + 1);
    text.resize(n > 0 ? n : 0);
    return text;
  }

  std::uint32_t ProcessOf(WindowId w) override {
    DWORD pid = 0;
    GetWindowThreadProcessId(H(w), &pid);
    return pid;
  }

  std::wstring ExecutableOf(std::uint32_t processId) override {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return std::wstring();
    wchar_t path[MAX_PATH * 2] = {};
    DWORD size = MAX_PATH * 2;
    BOOL ok = QueryFullProcessImageNameW(process, 0, path, &size);
    CloseHandle(process);
    if (!ok) return std::wstring();
    std::wstring full(path, size);
    std::wstring::size_type slash = full.find_last_of(L'\\');
    return slash == std::wstring::npos ? full : full.substr(slash + 1);
  }

  std::vector<WindowId> Children(WindowId w) override {
    std::vector<WindowId> children;
    for (HWND c = GetWindow(H(w), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) children.push_back(Id(c));
    return children;
  }

  std::uint32_t OwnProcess() override { return GetCurrentProcessId(); }

  bool HasTopLevelTitled(const std::string& ansiTitle) override {
    return FindWindowA(nullptr, ansiTitle.c_str()) != nullptr;
  }

  bool SameTitle(const std::wstring& a, const std::wstring& b) override {
    return CompareStringW(LOCALE_USER_DEFAULT, 0, a.c_str(), int(a.size()), b.c_str(), int(b.size())) == CSTR_EQUAL;
  }
};

}  // namespace

IWindowSystem& SystemWindows() {
  static CWin32WindowSystem windows;
  return windows;
}

}  // namespace vorlix
