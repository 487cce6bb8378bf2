#pragma once
// A window list in z-order for the game-detection rules: every window a candidate unless told otherwise.
#include <map>
#include <string>
#include <vector>

#include "probes/WindowSystem.h"

namespace vorlix::test {

struct FakeWindow {
  WindowId id;
  std::wstring title;
  std::wstring className = L"GameWnd";
  std::uint32_t pid = 100;
  WindowFacts facts{true, false, false, false, 640, 480};
  std::vector<WindowId> children;
};

class FakeWindows : public IWindowSystem {
 public:
  std::vector<FakeWindow> topLevel;  // front to back
  std::map<WindowId, FakeWindow> childWindows;
  std::map<std::uint32_t, std::wstring> exes{{100, L"game.exe"}};
  std::uint32_t own = 1;
  bool searchWorks = true;
  std::vector<std::string> titleQueries;

  const FakeWindow* Find(WindowId w) const {
    for (const FakeWindow& f : topLevel)
      if (f.id == w) return &f;
    auto c = childWindows.find(w);
    return c == childWindows.end() ? nullptr : &c->second;
  }
  WindowId After(WindowId w) const {
    for (std::size_t i = 0; i < topLevel.size(); ++i)
      if (topLevel[i].id == w) return i + 1 < topLevel.size() ? topLevel[i + 1].id : 0;
    return 0;
  }
  WindowId First() const { return topLevel.empty() ? 0 : topLevel[0].id; }

  WindowId FirstBySearch() override { return searchWorks ? First() : 0; }
  WindowId NextBySearch(WindowId after) override { return searchWorks ? After(after) : 0; }
  WindowId FirstByRelation() override { return First(); }
  WindowId NextByRelation(WindowId after) override { return After(after); }
  WindowFacts Facts(WindowId w) override { return Find(w) ? Find(w)->facts : WindowFacts{}; }
  std::wstring ClassName(WindowId w) override { return Find(w) ? Find(w)->className : L""; }
  std::wstring Title(WindowId w) override { return Find(w) ? Find(w)->title : L""; }
  std::uint32_t ProcessOf(WindowId w) override { return Find(w) ? Find(w)->pid : 0; }
  std::wstring ExecutableOf(std::uint32_t pid) override { return exes.count(pid) ? exes[pid] : L""; }
  std::vector<WindowId> Children(WindowId w) override { return Find(w) ? Find(w)->children : std::vector<WindowId>{}; }
  std::uint32_t OwnProcess() override { return own; }
  bool HasTopLevelTitled(const std::string& title) override {
    titleQueries.push_back(title);
    for (const FakeWindow& f : topLevel)
      if (std::string(f.title.begin(), f.title.end()) == title) return true;
    return false;
  }
  bool SameTitle(const std::wstring& a, const std::wstring& b) override { return a == b; }
};

}  // namespace vorlix::test
