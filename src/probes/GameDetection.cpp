#include "probes/GameDetection.h"

#include "base/JsonText.h"
#include "base/TextConv.h"
#include "config/Settings.h"

namespace vorlix {
namespace {

std::wstring AsciiLower(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'A' && c <= L'Z') c = wchar_t(c - L'A' + L'a');
  }
  return text;
}

bool IsExcludedHost(const std::wstring& exeName) {
  static const wchar_t* const kHosts[] = {L"applicationframehost", L"shellexperiencehost", L"winstore.app",
                                          L"searchui"};
  std::wstring lower = AsciiLower(exeName);
  for (const wchar_t* host : kHosts) {
    if (lower == std::wstring(host) + L".exe") return true;
  }
  return false;
}

std::wstring Member(const Json::Value& record, const char* name) {
  const Json::Value& v = record.isObject() ? record[name] : Json::Value::nullSingleton();
  return v.isString() ? Utf8ToWide(v.asString()) : std::wstring();
}

const wchar_t kItemColour[] = L"<c #5f858c>";
const wchar_t kItemEnd[] = L"</c>";

}  // namespace

void ParseGameList(const std::string& response, GameList& list) {
  Json::Value root;
  if (!ParseJsonText(response, root)) return;
  if (!root.isObject() || !root["code"].isNumeric() || root["code"].asDouble() != 200) return;
  const Json::Value& data = root["data"];
  if (!data.isArray()) return;
  for (const Json::Value& record : data) {
    list.push_back({Member(record, "window_title"), Member(record, "game_name"), Member(record, "window_class"),
                    Member(record, "exe_name")});
  }
}

bool IsCandidateWindow(IWindowSystem& windows, WindowId w) {
  WindowFacts f = windows.Facts(w);
  return f.visible && !f.minimised && !f.toolWindow && !f.child && f.clientRight != 0 && f.clientBottom != 0;
}

std::vector<WindowEntry> ScanCandidateWindows(IWindowSystem& windows) {
  bool search = true;
  auto next = [&](WindowId from) {
    WindowId n = search ? windows.NextBySearch(from) : windows.NextByRelation(from);
    while (n && !IsCandidateWindow(windows, n)) n = search ? windows.NextBySearch(n) : windows.NextByRelation(n);
    return n;
  };
  WindowId w = windows.FirstBySearch();
  if (!w) {
    search = false;
    w = windows.FirstByRelation();
  }
  if (w && !IsCandidateWindow(windows, w)) w = next(w);
  if (!w && search) {
    search = false;
    w = windows.FirstByRelation();
    if (w && !IsCandidateWindow(windows, w)) w = next(w);
  }

  std::vector<WindowEntry> result;
  const std::uint32_t own = windows.OwnProcess();
  for (; w; w = next(w)) {
    WindowId shown = w;
    if (windows.ClassName(w) == L"ApplicationFrameWindow") {
      std::uint32_t framePid = windows.ProcessOf(w);
      for (WindowId child : windows.Children(w)) {
        if (windows.ProcessOf(child) != framePid) {
          shown = child;
          break;
        }
      }
    }
    std::uint32_t pid = windows.ProcessOf(shown);
    if (pid == own) continue;
    WindowEntry entry;
    entry.exeName = windows.ExecutableOf(pid);
    if (IsExcludedHost(entry.exeName)) continue;
    entry.title = windows.Title(shown);
    entry.className = windows.ClassName(shown);
    if (entry.title.empty()) continue;
    result.push_back(std::move(entry));
  }
  return result;
}

std::wstring FindRunningGame(const GameList& list, IWindowSystem& windows) {
  for (const GameListEntry& game : list) {
    if (game.windowTitle.empty()) break;
    if (windows.HasTopLevelTitled(WideToAnsi(game.windowTitle))) return game.windowTitle;
  }
  return std::wstring();
}

bool EnsureGameChosen(const GameList& list, IWindowSystem& windows) {
  if (!GetGameTitle().empty()) return true;
  std::wstring title = FindRunningGame(list, windows);
  if (title.empty()) return false;
  SetGameTitle(title);
  return true;
}

void CGameChoices::RefreshGameChoices(IGameChoiceView& view, IWindowSystem& windows) {
  view.ClearItems();
  view.AddItem(std::wstring(kItemColour) + kItemEnd);
  m_entries = ScanCandidateWindows(windows);
  std::wstring chosen = GetGameTitle();
  int selected = 0;
  for (std::size_t i = 0; i < m_entries.size(); ++i) {
    const WindowEntry& e = m_entries[i];
    view.AddItem(kItemColour + (L"[" + e.exeName + L"]:" + e.title) + kItemEnd);
    if (windows.SameTitle(e.title, chosen)) selected = static_cast<int>(i) + 1;
  }
  view.SelectItem(selected);
  view.ShowHint(selected == 0);
}

void CGameChoices::OnGameChoiceChanged(int index, IGameChoiceView& view) {
  view.ShowHint(false);
  if (index == 0) {
    SetGameTitle(std::wstring());
    view.ShowHint(true);
    return;
  }
  if (index > 0 && static_cast<std::size_t>(index) <= m_entries.size()) SetGameTitle(m_entries[index - 1].title);
}

}  // namespace vorlix
