#include <gtest/gtest.h>

#include "ui/extra/CUIEdit.h"
#include "unit/ui_controls/ControlsTestSupport.h"

namespace vorlix {
namespace {

using test::CControlsFixture;
using test::CRecordingPainter;

// The editor window's side (its text changes and its loss of the keyboard) is simulated here through
// the calls the window makes; the real window is tested under Wine.
TEST(Edit, EditorChangesBecomeTheTextAndLosingTheEditorSendsOneKillFocus) {
  CControlsFixture f;
  auto* edit = f.Add(new CUIEdit(), 4, MakeUIRect(10, 10, 110, 34));
  f.manager.SetFocus(edit);
  EXPECT_TRUE(edit->IsFocused());
  EXPECT_FALSE(edit->IsEditorOpen()) << "no window system, no editor";
  f.log.lines.clear();

  edit->OnEditorTextChanged(L"abc");
  EXPECT_EQ(L"abc", std::wstring(edit->GetText()));
  EXPECT_EQ(std::vector<std::string>{"7:4"}, f.log.lines);

  f.log.lines.clear();
  edit->OnEditorKillFocus();
  EXPECT_EQ(std::vector<std::string>{"4:4"}, f.log.lines);
  EXPECT_EQ(nullptr, f.manager.GetFocus());
  EXPECT_FALSE(edit->IsFocused());
  // The tree already moved on: a late report from the editor adds nothing.
  edit->OnEditorKillFocus();
  EXPECT_EQ(std::vector<std::string>{"4:4"}, f.log.lines);
}

TEST(Edit, FrameAndTextColoursFollowTheState) {
  struct Case {
    const char* what;
    bool focused, enabled, readOnly;
    int light, textColor;
  } cases[] = {
      {"normal", false, true, false, 37, 34},
      {"focused", true, true, false, 39, 34},
      {"read-only", false, true, true, 41, 36},
      {"disabled", false, false, false, 41, 35},
  };
  for (const Case& c : cases) {
    CControlsFixture f;
    auto* edit = f.Add(new CUIEdit(), 4, MakeUIRect(10, 10, 110, 34));
    edit->SetText(L"text");
    edit->SetReadOnly(c.readOnly);
    if (c.focused) f.manager.SetFocus(edit);
    edit->SetEnabled(c.enabled);
    CRecordingPainter p;
    edit->Paint(p, MakeUIRect(0, 0, 400, 400));
    ASSERT_FALSE(p.lines.empty()) << c.what;
    EXPECT_EQ(CUIStyleTable::GetColor(c.light), p.lines.front().color) << c.what;
    ASSERT_EQ(1u, p.runs.size()) << c.what;
    EXPECT_EQ(L"text", p.runs[0].text) << c.what;
    EXPECT_EQ(CUIStyleTable::GetColor(c.textColor), p.runs[0].color) << c.what;
    EXPECT_EQ(edit->GetTextRect(), p.runs[0].box) << c.what;
  }
  CUIEdit edit;
  EXPECT_STREQ(L"EditUI", edit.GetClass());
  EXPECT_EQ(unsigned(UIFLAG_TABSTOP | UIFLAG_SETCURSOR), edit.GetControlFlags());
}

}  // namespace
}  // namespace vorlix
