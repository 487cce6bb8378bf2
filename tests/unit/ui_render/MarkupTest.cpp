#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ui/render/UIImageList.h"
#include "ui/render/UIMarkup.h"
#include "ui/render/UIStringResource.h"
#include "ui/render/UIStyle.h"
#include "unit/ui_render/CRecordingPainter.h"

namespace vorlix {
namespace {

using test::CRecordingPainter;

const UIColor kText = UIRgb(1, 2, 3);

// Font 1 of the recording painter: 7 pixels per Latin character, 14 high, lines of 16.
class MarkupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CUIStyleTable::ResetDefaults();
    CUIImageList::Clear();
    SetUIStringResolver(nullptr);
  }
  void TearDown() override {
    CUIImageList::Clear();
    SetUIStringResolver(nullptr);
  }

  // Draws text into (0, 0, width, 200) and returns the painter's record.
  CRecordingPainter Draw(const wchar_t* text, unsigned style = 0, int width = 200) {
    CRecordingPainter p;
    UIRect rc = MakeUIRect(0, 0, width, 200);
    int n = 8;
    DrawPrettyText(p, ctx, rc, text, kText, kUIColorNoBackground, links, n, style);
    linkCount = n;
    return p;
  }

  // The run that holds ch.
  static const test::RecordedRun* RunWith(const CRecordingPainter& p, const std::wstring& piece) {
    for (const auto& r : p.runs) {
      if (r.text.find(piece) != std::wstring::npos) return &r;
    }
    return nullptr;
  }

  UIMarkupContext ctx;
  UIRect links[8];
  int linkCount = 0;
};

TEST_F(MarkupTest, ColourAndFontOfTheMarkedRun) {
  struct Case {
    const wchar_t* text;
    UIColor color;
    int font;
  } cases[] = {
      {L"<c #ff0000>X", UIRgb(0xff, 0, 0), 1},  // read as red, green, blue
      {L"<c #00ff7f>X", UIRgb(0, 0xff, 0x7f), 1},
      {L"<c 24>X", UIRgb(0x3d, 0x7b, 0xad), 1},  // decimal: style colour
      {L"<c>X", 0, 1},                           // no argument: colour 0, black
      {L"<c 99>X", 0, 1},                        // invalid index: black
      {L"<c #ff0000>a</c>X", kText, 1},
      {L"<b><c #ffffff></b>X", UIRgb(0xff, 0xff, 0xff), 1},  // closing restores defaults only
      {L"<f 7><c #ff0000></f>X", UIRgb(0xff, 0, 0), 1},
      {L"<b>X", kText, 2},
      {L"<b extra words>X", kText, 2},
      {L"<f 7>X", kText, 7},
      {L"<f 99>X", kText, 1},  // no such font: selection stays
      {L"<f 6><p>X", kText, 1},
      {L"<z>X", kText, 1},  // unknown letters are skipped
      {L"<a><c #ff0000>a</a>X", kText, 1},
  };
  for (const Case& c : cases) {
    CRecordingPainter p = Draw(c.text);
    const auto* run = RunWith(p, L"X");
    ASSERT_NE(run, nullptr) << c.text;
    EXPECT_EQ(run->text, L"X") << c.text;
    EXPECT_EQ(run->color, c.color) << c.text;
    EXPECT_EQ(run->font, c.font) << c.text;
  }
}

TEST_F(MarkupTest, WhatIsNotATagIsText) {
  struct Case {
    const wchar_t* text;
    const wchar_t* shown;
  } cases[] = {
      {L"a<bc>d", L"a<bc>d"},  // letter followed by neither space nor ">"
      {L"x < y", L"x < y"},
      {L"<1>", L"<1>"},
      {L"<B>X", L"<B>X"},  // upper case
      {L"a<", L"a<"},
      {L"a</", L"a</"},
      {L"<c#ff0000>X", L"<c#ff0000>X"},
      {L"<b>a</b>c", L"ac"},
      {L"a</q>b", L"ab"},
      {L"a<b", L"a<b"},     // nothing after the letter: text
      {L"a<b c", L"a"},     // a tag without ">": the rest is skipped
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Draw(c.text).AllText(), c.shown) << c.text;
  }
}

TEST_F(MarkupTest, AmpersandHandling) {
  {
    CRecordingPainter p = Draw(L"&File");
    EXPECT_EQ(p.AllText(), L"File");
    EXPECT_EQ(p.runs[0].x, 0);
  }
  {
    ctx.bShowAccelerators = true;
    CRecordingPainter p = Draw(L"a&File");
    ASSERT_EQ(p.runs.size(), 3u);
    EXPECT_EQ(p.runs[1].text, L"_");
    EXPECT_EQ(p.runs[1].x, 7);  // under the letter that follows
    EXPECT_EQ(p.runs[2].text, L"File");
    EXPECT_EQ(p.runs[2].x, 7);
  }
  {
    CRecordingPainter p = Draw(L"a&b", UITEXT_NOPREFIX);
    EXPECT_EQ(p.AllText(), L"a&b");
    EXPECT_EQ(RunWith(p, L"b")->x, 14);
  }
}

TEST_F(MarkupTest, ResourcePlaceholdersExpandEveryOccurrence) {
  SetUIStringResolver([](unsigned id) { return id == 7 ? std::wstring(L"seven") : std::wstring(); });
  EXPECT_EQ(ExpandResourcePlaceholders(L"%{7}/%{7}/%{07}/%{}/%{8}/%{7/%7}/%"), L"seven/seven/seven///%{7/%7}/%");
  // A resource naming itself is not expanded again.
  SetUIStringResolver([](unsigned id) { return std::wstring(L"<%{1}>"); });
  EXPECT_EQ(ExpandResourcePlaceholders(L"%{1}"), L"<%{1}>");

  SetUIStringResolver([](unsigned id) { return id == 7 ? std::wstring(L"seven") : std::wstring(); });
  CRecordingPainter p = Draw(L"%{7} %{7}");
  EXPECT_EQ(p.AllText(), L"seven seven");
  UIRect rc = MakeUIRect(0, 0, 9999, 100);
  int n = 0;
  DrawPrettyText(p, ctx, rc, L"%{7}", kText, kUIColorNoBackground, nullptr, n, UITEXT_CALCRECT);
  EXPECT_EQ(rc.right, 5 * 7);
}

TEST_F(MarkupTest, WrappingLinkGivesTwoRectangles) {
  // 20 characters (140 pixels) in a 100-pixel box: 14 on the first line, 6 on the second.
  CRecordingPainter p = Draw(L"<a>aaaaaaaaaaaaaaaaaaaa</a>", 0, 100);
  ASSERT_EQ(linkCount, 2);
  EXPECT_EQ(links[0], MakeUIRect(0, 0, 100, 16));
  EXPECT_EQ(links[1], MakeUIRect(0, 16, 42, 32));
  EXPECT_EQ(links[2], UIRect());  // left-over slots zeroed
  ASSERT_EQ(p.runs.size(), 2u);
  EXPECT_EQ(p.runs[0].text.size(), 14u);
  EXPECT_EQ(p.runs[1].y, 16);

  // Capacity 0: drawn, none stored.
  CRecordingPainter q;
  UIRect rc = MakeUIRect(0, 0, 100, 100);
  int n = 0;
  DrawPrettyText(q, ctx, rc, L"x<a>link</a>", kText, kUIColorNoBackground, links, n, 0);
  EXPECT_EQ(n, 0);
  EXPECT_EQ(q.AllText(), L"xlink");
}

TEST_F(MarkupTest, LinkRectanglesAndHotUnderline) {
  Draw(L"ab<a>cd</a> <a>ef</a>");
  ASSERT_EQ(linkCount, 2);
  EXPECT_EQ(links[0], MakeUIRect(14, 0, 28, 16));
  EXPECT_EQ(links[1], MakeUIRect(35, 0, 49, 16));

  // Mouse over the second link of the previous paint: only its run is underlined, in the text colour.
  ctx.ptMouse = MakeUIPoint(40, 5);
  CRecordingPainter p = Draw(L"ab<a>cd</a> <a>ef</a>");
  ASSERT_EQ(p.lines.size(), 1u);
  EXPECT_EQ(p.lines[0].x1, 35);
  EXPECT_EQ(p.lines[0].x2, 49);
  EXPECT_EQ(p.lines[0].y1, 13);  // last pixel row of the 14-pixel run
  EXPECT_EQ(p.lines[0].color, kText);
}

TEST_F(MarkupTest, LinkRaisesLineHeightToTheLinkFont) {
  // Font 9 (12 pixels, lines of 14) on its own; a link lifts the line to font 5's 16.
  Draw(L"<f 9>a<a>b</a>\nc");
  ASSERT_EQ(linkCount, 1);
  EXPECT_EQ(links[0].bottom, 16);
  CRecordingPainter p = Draw(L"<f 9>a<a>b</a>\nc");
  EXPECT_EQ(RunWith(p, L"c")->y, 16);
}

TEST_F(MarkupTest, CalculateModeMeasures) {
  struct Case {
    const wchar_t* text;
    int right, bottom;
  } cases[] = {
      {L"abc", 21, 16},
      {L"<b>ab</b>", 16, 16},
      {L"ab\ncd", 14, 32},
      {L"<f 7>a", 11, 23},
      {L"", 0, 16},
  };
  for (const Case& c : cases) {
    CRecordingPainter p;
    UIRect rc = MakeUIRect(0, 0, 9999, 100);
    int n = 0;
    DrawPrettyText(p, ctx, rc, c.text, kText, UIRgb(9, 9, 9), nullptr, n, UITEXT_CALCRECT);
    EXPECT_EQ(rc.right, c.right) << c.text;
    EXPECT_EQ(rc.bottom, c.bottom) << c.text;
    EXPECT_TRUE(p.runs.empty() && p.fills.empty() && p.lines.empty()) << "calculate mode draws nothing";
    EXPECT_EQ(p.maxClipDepth, 0);
  }
  // A right edge below 9999 stays; the bottom still comes back.
  CRecordingPainter p;
  UIRect rc = MakeUIRect(0, 0, 100, 100);
  int n = 0;
  DrawPrettyText(p, ctx, rc, L"aaaaaaaaaaaaaaaaaaaa", kText, kUIColorNoBackground, nullptr, n, UITEXT_CALCRECT);
  EXPECT_EQ(rc.right, 100);
  EXPECT_EQ(rc.bottom, 32);
}

TEST_F(MarkupTest, ShorteningAtTheRightEdge) {
  struct Case {
    const wchar_t* text;
    unsigned style;
    std::vector<std::wstring> runs;
    bool ellipsis;
  } cases[] = {
      {L"aaa bbb ccc", UITEXT_WORDBREAK, {L"aaa bbb", L"ccc"}, false},
      {L"aaa bbb ccc", 0, {L"aaa bbb cc", L"c"}, false},
      {L"abcdefghijkl", UITEXT_SINGLELINE | UITEXT_END_ELLIPSIS, {L"abcdefghi"}, true},
      {L"abcdefghijkl", UITEXT_SINGLELINE, {L"abcdefghij"}, false},
      {L"abcdefghij", UITEXT_SINGLELINE | UITEXT_END_ELLIPSIS, {L"abcdefghij"}, false},  // fits exactly
  };
  for (const Case& c : cases) {
    CRecordingPainter p = Draw(c.text, c.style, 70);
    std::vector<std::wstring> got;
    bool ellipsis = false;
    for (const auto& r : p.runs) {
      if (r.text == L"...") {
        ellipsis = true;
        EXPECT_EQ(r.x, 60);
        EXPECT_EQ(r.y, 0);
      } else if (r.text != L" ") {
        got.push_back(r.text);
      }
    }
    EXPECT_EQ(got, c.runs) << c.text;
    EXPECT_EQ(ellipsis, c.ellipsis) << c.text;
  }
  // Leading spaces of a new line are skipped.
  CRecordingPainter p = Draw(L"aaaaaaaaaa   b", 0, 70);
  EXPECT_EQ(RunWith(p, L"b")->x, 0);
  EXPECT_EQ(RunWith(p, L"b")->y, 16);
}

TEST_F(MarkupTest, SingleLineAlignment) {
  struct Case {
    unsigned style;
    int x, y;
  } cases[] = {
      {UITEXT_SINGLELINE, 0, 0},
      {UITEXT_SINGLELINE | UITEXT_CENTER, 43, 0},
      {UITEXT_SINGLELINE | UITEXT_RIGHT, 86, 0},
      // Box 40 high, text 16: area moves to 12, the 14-pixel run centred in its line at 13.
      {UITEXT_SINGLELINE | UITEXT_VCENTER, 0, 13},
      {UITEXT_SINGLELINE | UITEXT_VCENTER | UITEXT_CENTER, 43, 13},
  };
  for (const Case& c : cases) {
    CRecordingPainter p;
    UIRect rc = MakeUIRect(0, 0, 100, 40);
    int n = 0;
    DrawPrettyText(p, ctx, rc, L"ab", kText, kUIColorNoBackground, nullptr, n, c.style);
    ASSERT_EQ(p.runs.size(), 1u);
    EXPECT_EQ(p.runs[0].x, c.x) << c.style;
    EXPECT_EQ(p.runs[0].y, c.y) << c.style;
  }
}

TEST_F(MarkupTest, LineLevelTags) {
  {
    CRecordingPainter p = Draw(L"a<p>b");
    EXPECT_EQ(RunWith(p, L"b")->y, 21);  // paragraph: 5 extra pixels
  }
  {
    CRecordingPainter p = Draw(L"<x 30>a\nb");
    EXPECT_EQ(RunWith(p, L"a")->x, 30);
    EXPECT_EQ(RunWith(p, L"b")->x, 30);
  }
  {
    CRecordingPainter p = Draw(L"<x 30>a<p>b");
    EXPECT_EQ(RunWith(p, L"b")->x, 0);  // paragraph resets the indent
  }
  {
    CRecordingPainter p = Draw(L"a<h>\nb");
    ASSERT_EQ(p.lines.size(), 1u);
    EXPECT_EQ(p.lines[0].x1, 7);
    EXPECT_EQ(p.lines[0].y1, 5);
    EXPECT_EQ(p.lines[0].x2, 200);
    EXPECT_EQ(p.lines[0].color, CUIStyleTable::GetColor(52));
    EXPECT_EQ(RunWith(p, L"b")->y, 12);  // the rule's line is 12 high
  }
  {
    CRecordingPainter p = Draw(L"a\n\nb");
    EXPECT_EQ(RunWith(p, L"b")->y, 32);
  }
}

TEST_F(MarkupTest, InlineImages) {
  auto image = std::make_shared<test::CFakeImage>(40, 20);
  CUIImageList::Register(1, image, 20);
  {
    // At the start of a line: 20 + 20/8 = 22 pixels, which also become the hanging indent.
    CRecordingPainter p = Draw(L"<i 1 1>ab\ncd");
    ASSERT_EQ(p.images.size(), 1u);
    EXPECT_EQ(p.images[0].source, MakeUIRect(20, 0, 40, 20));
    EXPECT_EQ(p.images[0].dest.left, 0);
    EXPECT_EQ(RunWith(p, L"ab")->x, 22);
    EXPECT_EQ(RunWith(p, L"cd")->x, 22);
  }
  {
    // Elsewhere the line grows to the image.
    CRecordingPainter p = Draw(L"a<i 1>b\nc");
    EXPECT_EQ(RunWith(p, L"b")->x, 29);
    EXPECT_EQ(RunWith(p, L"c")->x, 0);
    EXPECT_EQ(RunWith(p, L"c")->y, 20);
  }
  {
    CRecordingPainter p = Draw(L"<i 9>a<i 1 7>");  // unknown key: 16 + 2; frame past the strip: nothing
    EXPECT_TRUE(p.images.empty());
    EXPECT_EQ(RunWith(p, L"a")->x, 18);
  }
}

TEST_F(MarkupTest, BackgroundClipAndEmptyBox) {
  {
    CRecordingPainter p;
    UIRect rc = MakeUIRect(5, 5, 50, 30);
    int n = 0;
    DrawPrettyTextStyle(p, ctx, rc, L"a", 34, 3, nullptr, n, 0);
    ASSERT_EQ(p.fills.size(), 1u);
    EXPECT_EQ(p.fills[0].rc, rc);
    EXPECT_EQ(p.fills[0].color, UIRgb(0xff, 0xff, 0xff));
    EXPECT_EQ(p.maxClipDepth, 1);
    EXPECT_TRUE(p.clipStack.empty());
    EXPECT_EQ(p.selectedFont, 0);  // the font that was selected before comes back
  }
  {
    CRecordingPainter p;
    UIRect rc = MakeUIRect(5, 5, 50, 30);
    int n = 0;
    DrawPrettyTextStyle(p, ctx, rc, L"a", 34, kUIColorIndexNone, nullptr, n, 0);
    EXPECT_TRUE(p.fills.empty());
  }
  {
    CRecordingPainter p;
    UIRect rc = MakeUIRect(5, 5, 5, 30);
    int n = 0;
    DrawPrettyText(p, ctx, rc, L"a", kText, UIRgb(1, 1, 1), nullptr, n, 0);
    EXPECT_TRUE(p.runs.empty() && p.fills.empty());
    EXPECT_EQ(p.maxClipDepth, 0);
  }
}

TEST_F(MarkupTest, LabelVariantUsesLineSpacing) {
  CRecordingPainter p;
  UIRect rc = MakeUIRect(0, 10, 100, 200);
  UIRect out;
  int n = 0;
  DrawPrettyTextEx(p, ctx, rc, L"a\nb", kText, kUIColorNoBackground, nullptr, n, 0, 4, &out);
  EXPECT_EQ(RunWith(p, L"b")->y, 10 + 14 + 4);
  EXPECT_EQ(out, MakeUIRect(0, 10, 100, 28 + 14 + 4));
}

TEST_F(MarkupTest, HostileTextsEndSafely) {
  std::wstring longText;
  for (int i = 0; i < 30000; ++i) longText += (i % 7 == 0) ? L' ' : L'x';
  std::wstring manyTags;
  for (int i = 0; i < 5000; ++i) manyTags += L"<a><b>&<c #12>";
  const std::wstring cases[] = {
      L"<c 99999999999999999999>a", L"<f 99999999999999>a", L"<x 99999999999999>a<x 2147483647>b",
      L"<i 99999999999 99999999999>a", L"<i 1 99999999999>a", L"<c #", L"<", L"&", L"&&&", L"<a>open link",
      L"</a></a></a>", L"<p><p><p><h><h>", L"%{99999999999999999999}", L"%{", L"\n\n\n", longText, manyTags,
  };
  CUIImageList::Register(1, std::make_shared<test::CFakeImage>(40, 20), 20);
  for (const std::wstring& text : cases) {
    for (int width : {1, 7, 100}) {
      for (unsigned style : {0u, unsigned(UITEXT_WORDBREAK | UITEXT_END_ELLIPSIS), unsigned(UITEXT_SINGLELINE),
                             unsigned(UITEXT_CALCRECT | UITEXT_WORDBREAK)}) {
        CRecordingPainter p;
        UIRect rc = MakeUIRect(0, 0, width, 100);
        int n = 2;
        UIRect few[2];
        DrawPrettyText(p, ctx, rc, text.c_str(), kText, kUIColorNoBackground, few, n, style);
        EXPECT_LE(n, 2);
        EXPECT_TRUE(p.clipStack.empty());
      }
    }
  }
  // Every character of a long text in a one-pixel box still ends up drawn, one per line.
  CRecordingPainter p = Draw(L"abcdef", 0, 1);
  EXPECT_EQ(p.AllText(), L"abcdef");
  EXPECT_EQ(p.runs.back().y, 5 * 16);
}

}  // namespace
}  // namespace vorlix
