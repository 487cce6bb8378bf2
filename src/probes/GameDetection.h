#pragma once
// Game detection: the service's game list, the scan of open application windows, automatic choice of a
// running game, and the rules of the main window's game drop-down.
#include <string>
#include <vector>

#include "probes/WindowSystem.h"

namespace vorlix {

struct GameListEntry {
  std::wstring windowTitle;  // "window_title": the only member detection uses
  std::wstring gameName;
  std::wstring windowClass;
  std::wstring exeName;
};
using GameList = std::vector<GameListEntry>;

struct WindowEntry {
  std::wstring title;
  std::wstring className;
  std::wstring exeName;
};

// Appends the records of a GetGameList answer (UTF-8 JSON, "code" 200) in answer order; an answer that
// does not parse or carries another code leaves the list as it was.
void ParseGameList(const std::string& response, GameList& list);

bool IsCandidateWindow(IWindowSystem& windows, WindowId w);
// The candidate windows of other processes, front to back, with store apps shown by their content window.
std::vector<WindowEntry> ScanCandidateWindows(IWindowSystem& windows);
// The first listed game with an open window of that exact title; stops at a record with an empty title.
std::wstring FindRunningGame(const GameList& list, IWindowSystem& windows);
// GameTitle is set, or is filled now from FindRunningGame.
bool EnsureGameChosen(const GameList& list, IWindowSystem& windows);

// What the drop-down shows; the main window implements it over its controls.
class IGameChoiceView {
 public:
  virtual ~IGameChoiceView() = default;
  virtual void ClearItems() = 0;
  virtual void AddItem(const std::wstring& text) = 0;
  virtual void SelectItem(int index) = 0;
  virtual void ShowHint(bool shown) = 0;  // "若未检测到游戏，请手动选择录制的游戏进程"
};

// The drop-down's items: item 0 means no game, item n + 1 is entry n of the latest scan.
class CGameChoices {
 public:
  void RefreshGameChoices(IGameChoiceView& view, IWindowSystem& windows);
  void OnGameChoiceChanged(int index, IGameChoiceView& view);
  const std::vector<WindowEntry>& Entries() const { return m_entries; }

 private:
  std::vector<WindowEntry> m_entries;
};

}  // namespace vorlix
