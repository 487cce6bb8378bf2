// Game list parsing, the window filters and walk, automatic detection and the drop-down rules, over a
// fake window list.
#include <gtest/gtest.h>

#include "config/Settings.h"
#include "probes/GameDetection.h"
#include "unit/probes/FakeWindows.h"

using namespace vorlix;
using vorlix::test::FakeWindow;
using vorlix::test::FakeWindows;

namespace {

struct RecordingView : IGameChoiceView {
  std::vector<std::wstring> items;
  int selected = -1;
  bool hint = false;
  void ClearItems() override { items.clear(); }
  void AddItem(const std::wstring& text) override { items.push_back(text); }
  void SelectItem(int index) override { selected = index; }
  void ShowHint(bool shown) override { hint = shown; }
};

FakeWindow Win(WindowId id, const std::wstring& title, std::uint32_t pid = 100) {
  FakeWindow w;
  w.id = id;
  w.title = title;
  w.pid = pid;
  return w;
}

GameList Games(const std::vector<std::wstring>& titles) {
  GameList list;
  for (const auto& t : titles) list.push_back({t, L"", L"", L""});
  return list;
}

std::vector<std::wstring> Titles(const std::vector<WindowEntry>& entries) {
  std::vector<std::wstring> t;
  for (const auto& e : entries) t.push_back(e.title);
  return t;
}

}  // namespace

TEST(ParseGameList, AppendsInOrderAndIgnoresBadAnswers) {
  GameList list;
  ParseGameList(
      u8R"({"code":200,"data":[{"window_title":"原神","game_name":"G","window_class":"UnityWndClass","exe_name":"YuanShen.exe"},{"game_name":"only"}]})",
      list);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].windowTitle, L"\u539f\u795e");
  EXPECT_EQ(list[0].windowClass, L"UnityWndClass");
  EXPECT_EQ(list[0].exeName, L"YuanShen.exe");
  EXPECT_EQ(list[1].windowTitle, L"");
  EXPECT_EQ(list[1].gameName, L"only");
  for (const char* bad : {"not json", "{\"code\":401,\"data\":[{\"window_title\":\"x\"}]}",
                          "{\"code\":\"200\",\"data\":[{\"window_title\":\"x\"}]}", "[1]"}) {
    ParseGameList(bad, list);
    EXPECT_EQ(list.size(), 2u) << bad;
  }
  ParseGameList("{\"code\":200,\"data\":[{\"window_title\":\"third\"}]}", list);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[2].windowTitle, L"third");
}

TEST(IsCandidateWindow, FilterTable) {
  struct Case {
    WindowFacts facts;
    bool candidate;
  } cases[] = {
      {{true, false, false, false, 640, 480}, true},
      {{false, false, false, false, 640, 480}, false},  // hidden
      {{true, true, false, false, 640, 480}, false},    // minimised
      {{true, false, true, false, 640, 480}, false},    // tool window
      {{true, false, false, true, 640, 480}, false},    // child
      {{true, false, false, false, 0, 480}, false},     // empty client area
      {{true, false, false, false, 640, 0}, false},
  };
  for (const Case& c : cases) {
    FakeWindows w;
    FakeWindow one = Win(7, L"x");
    one.facts = c.facts;
    w.topLevel = {one};
    EXPECT_EQ(IsCandidateWindow(w, 7), c.candidate);
  }
}

TEST(ScanCandidateWindows, FiltersOwnProcessExcludedHostsAndEmptyTitles) {
  FakeWindows w;
  w.exes = {{100, L"game.exe"}, {200, L"SearchUI.EXE"}, {300, L"ShellExperienceHost.exe"}, {400, L""},
            {500, L"WinStore.App.exe"}};
  FakeWindow tool = Win(2, L"tool");
  tool.facts.toolWindow = true;
  w.topLevel = {Win(1, L"front game"), tool,           Win(3, L"mine", w.own), Win(4, L"search", 200),
                Win(5, L"shell", 300), Win(6, L""),    Win(7, L"no exe", 400), Win(8, L"store", 500),
                Win(9, L"back game")};
  std::vector<WindowEntry> entries = ScanCandidateWindows(w);
  EXPECT_EQ(Titles(entries), (std::vector<std::wstring>{L"front game", L"no exe", L"back game"}));
  EXPECT_EQ(entries[0].exeName, L"game.exe");
  EXPECT_EQ(entries[0].className, L"GameWnd");
  EXPECT_EQ(entries[1].exeName, L"");
}

TEST(ScanCandidateWindows, FrameShowsItsContentFromAnotherProcess) {
  FakeWindows w;
  w.exes = {{100, L"game.exe"}, {600, L"ApplicationFrameHost.exe"}, {700, L"Calculator.exe"}};
  FakeWindow frame = Win(10, L"Frame title", 600);
  frame.className = L"ApplicationFrameWindow";
  frame.children = {11, 12};
  FakeWindow sameProcess = Win(11, L"chrome", 600);
  FakeWindow content = Win(12, L"Calculator", 700);
  content.className = L"Windows.UI.Core.CoreWindow";
  w.childWindows = {{11, sameProcess}, {12, content}};
  FakeWindow lonelyFrame = Win(20, L"Empty frame", 600);
  lonelyFrame.className = L"ApplicationFrameWindow";
  w.topLevel = {frame, lonelyFrame, Win(30, L"after")};
  std::vector<WindowEntry> entries = ScanCandidateWindows(w);
  ASSERT_EQ(Titles(entries), (std::vector<std::wstring>{L"Calculator", L"after"}));  // host frame excluded
  EXPECT_EQ(entries[0].exeName, L"Calculator.exe");
  EXPECT_EQ(entries[0].className, L"Windows.UI.Core.CoreWindow");
}

TEST(ScanCandidateWindows, RelationModeWhenSearchYieldsNothing) {
  FakeWindows w;
  FakeWindow hidden = Win(1, L"hidden");
  hidden.facts.visible = false;
  w.topLevel = {hidden, Win(2, L"a"), Win(3, L"b")};
  w.searchWorks = false;
  EXPECT_EQ(Titles(ScanCandidateWindows(w)), (std::vector<std::wstring>{L"a", L"b"}));
  w.topLevel = {};
  EXPECT_TRUE(ScanCandidateWindows(w).empty());
}

TEST(FindRunningGame, ListOrderAndStopAtEmptyTitle) {
  FakeWindows w;
  w.topLevel = {Win(1, L"Third Game"), Win(2, L"Second")};
  GameList list = Games({L"Absent", L"", L"Third Game"});
  EXPECT_EQ(FindRunningGame(list, w), L"");
  EXPECT_EQ(w.titleQueries, (std::vector<std::string>{"Absent"}));
  GameList ordered = Games({L"Absent", L"Second", L"Third Game"});
  EXPECT_EQ(FindRunningGame(ordered, w), L"Second");
  EXPECT_EQ(FindRunningGame({}, w), L"");
}

class GameChoice : public ::testing::Test {
 protected:
  void SetUp() override { SetGameTitle(L""); }
  void TearDown() override { SetGameTitle(L""); }
};

TEST_F(GameChoice, EnsureGameChosenKeepsOrFills) {
  FakeWindows w;
  w.topLevel = {Win(1, L"Running")};
  EXPECT_FALSE(EnsureGameChosen(Games({L"Other"}), w));
  EXPECT_EQ(GetGameTitle(), L"");
  EXPECT_TRUE(EnsureGameChosen(Games({L"Other", L"Running"}), w));
  EXPECT_EQ(GetGameTitle(), L"Running");
  SetGameTitle(L"Chosen by hand");
  EXPECT_TRUE(EnsureGameChosen(Games({L"Running"}), w));
  EXPECT_EQ(GetGameTitle(), L"Chosen by hand");
}

TEST_F(GameChoice, DropDownItemsSelectionAndHint) {
  FakeWindows w;
  w.exes = {{100, L"game.exe"}, {101, L"dup.exe"}};
  w.topLevel = {Win(1, L"Same"), Win(2, L"Other"), Win(3, L"Same", 101)};
  CGameChoices choices;
  RecordingView view;
  choices.RefreshGameChoices(view, w);
  EXPECT_EQ(view.items, (std::vector<std::wstring>{L"<c #5f858c></c>", L"<c #5f858c>[game.exe]:Same</c>",
                                                  L"<c #5f858c>[game.exe]:Other</c>",
                                                  L"<c #5f858c>[dup.exe]:Same</c>"}));
  EXPECT_EQ(view.selected, 0);
  EXPECT_TRUE(view.hint);

  SetGameTitle(L"Same");
  choices.RefreshGameChoices(view, w);
  EXPECT_EQ(view.selected, 3);  // the later of two equal titles wins
  EXPECT_FALSE(view.hint);

  choices.OnGameChoiceChanged(2, view);
  EXPECT_EQ(GetGameTitle(), L"Other");
  EXPECT_FALSE(view.hint);
  choices.OnGameChoiceChanged(4, view);  // beyond the entries: nothing written
  EXPECT_EQ(GetGameTitle(), L"Other");
  choices.OnGameChoiceChanged(0, view);
  EXPECT_EQ(GetGameTitle(), L"");
  EXPECT_TRUE(view.hint);
}
