#pragma once
// Small controls for the layout tests: a box with a chosen desired size, and a scroll bar that keeps
// its numbers in pixels and counts how many of its kind are alive.

#include <algorithm>

#include "ui/core/CUIControl.h"
#include "ui/layout/CUIContainer.h"
#include "ui/layout/IUIContainerScrollBar.h"

namespace vorlix {
namespace test {

class CBox : public CUIControl {
 public:
  explicit CBox(int cx = 0, int cy = 0) : m_size{cx, cy} {}
  const wchar_t* GetClass() const override { return L"BoxUI"; }
  UISize GetDesiredSize(UISize) override { return m_size; }
  void Paint(IUIPainter&, const UIRect&) override { ++paints; }
  void SetSize(int cx, int cy) { m_size = UISize{cx, cy}; }
  int paints = 0;

 private:
  UISize m_size;
};

class CTestScrollBar : public CUIControl, public IUIContainerScrollBar {
 public:
  static int alive;
  static constexpr int kWidth = 10;

  CTestScrollBar() { ++alive; }
  ~CTestScrollBar() override { --alive; }
  const wchar_t* GetClass() const override { return L"TestScrollBarUI"; }
  UISize GetDesiredSize(UISize) override { return UISize{kWidth, 0}; }
  void Paint(IUIPainter&, const UIRect&) override {}

  CUIControl* GetScrollBarControl() override { return this; }
  int GetScrollBarWidth() const override { return kWidth; }
  void SetScrollRange(int minimum, int maximum) override {
    m_min = minimum;
    m_max = maximum;
    m_pos = std::max(m_min, std::min(m_pos, m_max));
  }
  void GetScrollRange(int& minimum, int& maximum) const override {
    minimum = m_min;
    maximum = m_max;
  }
  void SetScrollPos(int pos) override { m_pos = std::max(m_min, std::min(pos, m_max)); }
  int GetScrollPos() const override { return m_pos; }
  void SetPageSize(int page) override { m_page = page; }
  int GetPageSize() const override { return m_page; }
  void SetLineSize(int line) override { m_line = line; }
  int GetLineSize() const override { return m_line; }
  void SetLook(const UIScrollBarLook&) override { ++looks; }
  int looks = 0;

  static IUIContainerScrollBar* Create(CUIContainer*) { return new CTestScrollBar(); }

 private:
  int m_min = 0, m_max = 0, m_pos = 0, m_page = 0, m_line = 0;
};

}  // namespace test
}  // namespace vorlix
