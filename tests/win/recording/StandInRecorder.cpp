// A stand-in for the recorder: one hidden top-level window and, when given the recorder's switches, an
// empty recording file, so a launch counts as started. It ends on WM_CLOSE unless a file named
// "ignore_close" lies beside it; every close request it gets is counted in "close_requests.txt" there.
#include <windows.h>

#include <string>

namespace {

std::wstring g_dir;
bool g_ignoreClose = false;

void CountCloseRequest() {
  HANDLE h = CreateFileW((g_dir + L"close_requests.txt").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                         OPEN_ALWAYS, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(h, "close\n", 6, &written, nullptr);
  CloseHandle(h);
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_CLOSE:
      CountCloseRequest();
      if (!g_ignoreClose) DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      // The controller also sends WM_DESTROY by itself; a stubborn stand-in shrugs that off too.
      if (!g_ignoreClose) PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

// The value after a switch, quoted or not.
std::wstring ValueAfter(const std::wstring& line, const std::wstring& key) {
  size_t at = line.find(key);
  if (at == std::wstring::npos) return L"";
  at += key.size();
  if (at < line.size() && line[at] == L'"') {
    size_t end = line.find(L'"', at + 1);
    return line.substr(at + 1, end == std::wstring::npos ? std::wstring::npos : end - at - 1);
  }
  size_t end = line.find(L' ', at);
  return line.substr(at, end == std::wstring::npos ? std::wstring::npos : end - at);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR cmdLine, int) {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  g_dir = self;
  g_dir.erase(g_dir.find_last_of(L'\\') + 1);
  g_ignoreClose = GetFileAttributesW((g_dir + L"ignore_close").c_str()) != INVALID_FILE_ATTRIBUTES;

  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.lpszClassName = L"VorlixStandInRecorder";
  RegisterClassW(&wc);
  CreateWindowExW(0, wc.lpszClassName, L"Stand-in recorder", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                  instance, nullptr);
  // The file only once the window exists, so a launch that counts as started can be asked to close.
  const std::wstring line = cmdLine;
  const std::wstring folder = ValueAfter(line, L"--file_save "), name = ValueAfter(line, L"--file_name ");
  if (!folder.empty() && !name.empty()) {
    HANDLE f = CreateFileW((folder + L"\\" + name + L".mp4").c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                           CREATE_ALWAYS, 0, nullptr);
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
  }

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
