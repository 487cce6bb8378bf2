#include "ui/render/UIMarkup.h"

#include <algorithm>
#include <map>
#include <string>

#include "ui/render/UIImageList.h"
#include "ui/render/UIStringResource.h"
#include "ui/render/UIStyle.h"

namespace vorlix {
namespace {

// Numbers in tags come from texts we do not control; anything above this is as good as infinite and
// keeps all coordinate arithmetic far from overflow.
constexpr int kMaxTagNumber = 1000000;
constexpr int kMeasureWidth = 9999;

bool IsLower(wchar_t c) { return c >= L'a' && c <= L'z'; }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

int HexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// Decimal digits at pos (none: 0), saturated; pos moves past them.
int ParseDecimal(const std::wstring& s, std::size_t& pos) {
  long long v = 0;
  while (pos < s.size() && IsDigit(s[pos])) {
    v = std::min<long long>(v * 10 + (s[pos] - L'0'), kMaxTagNumber);
    ++pos;
  }
  return static_cast<int>(v);
}

void SkipSpaces(const std::wstring& s, std::size_t& pos) {
  while (pos < s.size() && s[pos] == L' ') ++pos;
}

// "<" + letter + (space or ">"), or "</" + letter.
bool IsTagAt(const std::wstring& s, std::size_t i) {
  if (i + 1 >= s.size() || s[i] != L'<') return false;
  if (s[i + 1] == L'/') return i + 2 < s.size() && IsLower(s[i + 2]);
  if (!IsLower(s[i + 1])) return false;
  return i + 2 < s.size() && (s[i + 2] == L' ' || s[i + 2] == L'>');
}

struct Layout {
  Layout(IUIRenderPainter& p, const UIMarkupContext& c, const std::wstring& text) : painter(p), ctx(c), s(text) {}

  IUIRenderPainter& painter;
  const UIMarkupContext& ctx;
  const std::wstring& s;
  UIRect rc;  // the (aligned) drawing area
  UIColor clrText = 0;
  unsigned uStyle = 0;
  bool bDraw = true;
  bool bLabel = false;  // DrawPrettyTextEx: fixed line spacing instead of the external leading
  int lineSpacing = 0;  // only with bLabel
  UIRect* prcLinks = nullptr;
  int nLinkCapacity = 0;
  int iHotLink = -1;

  // Walk state.
  UIFontMetrics tm;
  int x = 0;
  int y = 0;
  int cyLine = 0;
  int indent = 0;
  UIColor clrCur = 0;
  int nLinks = 0;
  bool bInLink = false;
  bool bPieceHot = false;
  UIPoint ptLinkStart;
  int cyImageBottom = 0;
  int cyLastRunBottom = 0;
  bool bAnyRun = false;

  int LineHeightOf(const UIFontMetrics& m) const {
    return m.height + (bLabel ? lineSpacing : m.externalLeading);
  }

  void SelectFont(int index) {
    if (!painter.SelectStyleFont(index)) return;
    tm = painter.GetStyleFontMetrics(index);
    cyLine = std::max(cyLine, LineHeightOf(tm));
  }

  int RunTop() const {
    if ((uStyle & UITEXT_VCENTER) != 0) return y + (cyLine - tm.height) / 2;
    return y;
  }

  void DrawRun(const wchar_t* p, int count, int width) {
    int top = RunTop();
    if (bDraw) {
      painter.DrawTextRun(x, top, p, count, clrCur);
      if (bInLink && bPieceHot) {
        int row = top + tm.height - 1;
        painter.DrawColorLine(x, row, x + width, row, clrText);
      }
    }
    cyLastRunBottom = top + tm.height;
    bAnyRun = true;
  }

  void StoreLinkPiece() {
    if (nLinks < nLinkCapacity && prcLinks != nullptr) {
      prcLinks[nLinks] = MakeUIRect(ptLinkStart.x, ptLinkStart.y, x, y + cyLine);
      ++nLinks;
    }
  }

  void StartLinkPiece() {
    ptLinkStart = MakeUIPoint(x, y);
    bPieceHot = iHotLink >= 0 && iHotLink == nLinks;
  }

  // Acts on the tag at i and returns the index after its ">"; true in lineEnd for <p>.
  std::size_t DoTag(std::size_t i, bool& lineEnd) {
    bool closing = s[i + 1] == L'/';
    wchar_t letter = closing ? s[i + 2] : s[i + 1];
    std::size_t arg = i + (closing ? 3 : 2);
    if (closing) {
      switch (letter) {
        case L'a':
          if (bInLink) StoreLinkPiece();
          bInLink = false;
          clrCur = clrText;
          SelectFont(1);
          break;
        case L'b':
        case L'f':
          SelectFont(1);
          break;
        case L'c':
          clrCur = clrText;
          break;
        default:
          break;
      }
    } else {
      if (arg < s.size() && s[arg] == L' ') ++arg;
      switch (letter) {
        case L'a': {
          clrCur = clrText;
          UIFontMetrics link = painter.GetStyleFontMetrics(5);
          cyLine = std::max(cyLine, LineHeightOf(link));
          bInLink = true;
          StartLinkPiece();
          break;
        }
        case L'b':
          SelectFont(2);
          break;
        case L'c':
          if (arg < s.size() && s[arg] == L'#') {
            ++arg;
            unsigned v = 0;
            for (int k = 0; k < 6 && arg < s.size() && HexValue(s[arg]) >= 0; ++k, ++arg) {
              v = (v << 4) | static_cast<unsigned>(HexValue(s[arg]));
            }
            clrCur = UIRgb((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
          } else {
            clrCur = CUIStyleTable::GetColor(ParseDecimal(s, arg));
          }
          break;
        case L'f':
          SelectFont(ParseDecimal(s, arg));
          break;
        case L'h':
          if (bDraw) {
            UIColor rule = CUIStyleTable::GetColor(52);
            painter.DrawColorLine(x, y + 5, rc.right - indent, y + 5, rule);
          }
          cyLine = 12;
          break;
        case L'i': {
          int key = ParseDecimal(s, arg);
          SkipSpaces(s, arg);
          int frame = ParseDecimal(s, arg);
          DoImage(key, frame);
          break;
        }
        case L'p':
          cyLine += 5;
          indent = 0;
          SelectFont(1);
          clrCur = clrText;
          lineEnd = true;
          break;
        case L'x': {
          indent = ParseDecimal(s, arg);
          if (x < rc.left + indent) x = rc.left + indent;
          break;
        }
        default:
          break;
      }
    }
    std::size_t gt = s.find(L'>', i);
    return gt == std::wstring::npos ? s.size() : gt + 1;
  }

  void DoImage(int key, int frame) {
    UIListImage entry = CUIImageList::Find(key);
    int size = entry.image ? std::max(16, entry.frameWidth) : 16;
    bool lineStart = x == rc.left + indent;
    if (!lineStart) cyLine = std::max(cyLine, size);
    if (entry.image && bDraw && entry.frameWidth > 0) {
      int w = entry.frameWidth;
      int h = entry.image->GetHeight();
      long long srcLeft = static_cast<long long>(frame) * w;
      if (srcLeft + w <= entry.image->GetWidth()) {
        int top = y + (std::max(cyLine, size) - h) / 2;
        UIRect dst = MakeUIRect(x, top, x + w, top + h);
        UIRect src = MakeUIRect(static_cast<int>(srcLeft), 0, static_cast<int>(srcLeft) + w, h);
        painter.DrawImagePart(dst, *entry.image, src, false);
      }
    }
    cyImageBottom = std::max(cyImageBottom, y + size);
    int advance = size + size / 8;
    x += advance;
    if (lineStart) indent = x - rc.left;
  }

  // A run of ordinary characters from i; returns the index after what was drawn and sets shortened.
  std::size_t DoRun(std::size_t i, bool lineHasContent, bool& shortened) {
    std::size_t j = i + 1;
    std::size_t lastSpace = std::wstring::npos;
    // Every character is at least a pixel wide, so no more than the free width (plus the one that
    // reaches the edge) can matter for this line; stopping there keeps huge texts in narrow boxes linear.
    long long room = std::max<long long>(1, static_cast<long long>(rc.right) - x + 2);
    std::size_t end = static_cast<std::size_t>(std::min<long long>(static_cast<long long>(s.size()), static_cast<long long>(i) + room));
    while (j < end && s[j] != L'<' && s[j] != L'&' && s[j] != L'\n') {
      if (s[j] == L' ') lastSpace = j;
      ++j;
    }
    const wchar_t* p = s.c_str() + i;
    int cnt = static_cast<int>(j - i);
    int k = cnt;
    long long estimate = static_cast<long long>(cnt) * tm.maxCharWidth;
    if (x + estimate >= rc.right) {
      int fit = painter.MeasureFit(p, cnt, rc.right - x);
      if (fit < cnt) {
        shortened = true;
        k = fit + 1;  // the character that reaches the edge is counted
        if ((uStyle & UITEXT_WORDBREAK) != 0 && lastSpace != std::wstring::npos &&
            static_cast<int>(lastSpace - i) < k) {
          k = static_cast<int>(lastSpace - i);
        }
        if ((uStyle & UITEXT_END_ELLIPSIS) != 0 && k > 2) k -= 2;
        if (k > 0 && rc.right < x + painter.MeasureText(p, k).cx) --k;
        // Always move on: a line too narrow for even one character still shows (clipped) one.
        if (k == 0 && !lineHasContent) k = 1;
      }
    }
    if (k > 0) {
      int width = painter.MeasureText(p, k).cx;
      DrawRun(p, k, width);
      x += width;
    }
    if (shortened) {
      x = std::max(x, rc.right);
      if (bDraw && (uStyle & UITEXT_END_ELLIPSIS) != 0) painter.DrawTextRun(rc.right - 10, y, L"...", 3, clrCur);
    }
    return i + static_cast<std::size_t>(k);
  }

  // Walks the whole text; returns true when text remained undrawn.
  bool Walk() {
    x = rc.left;
    y = rc.top;
    clrCur = clrText;
    painter.SelectStyleFont(1);
    tm = painter.GetStyleFontMetrics(1);
    cyLine = LineHeightOf(tm);
    std::size_t i = 0;
    std::size_t lineStartIndex = 0;
    const std::size_t n = s.size();
    while (i < n) {
      bool lineEnd = false;
      bool shortened = false;
      wchar_t c = s[i];
      if (c == L'\n') {
        lineEnd = true;
      } else if (IsTagAt(s, i)) {
        i = DoTag(i, lineEnd);
      } else if (c == L'&') {
        ++i;
        if ((uStyle & UITEXT_NOPREFIX) != 0) {
          int w = painter.MeasureText(L"&", 1).cx;
          DrawRun(L"&", 1, w);
          x += w;
        } else if (ctx.bShowAccelerators && bDraw) {
          painter.DrawTextRun(x, RunTop(), L"_", 1, clrCur);
        }
      } else if (c == L' ') {
        int w = painter.MeasureText(L" ", 1).cx;
        DrawRun(L" ", 1, w);
        x += w;
        ++i;
      } else {
        i = DoRun(i, i > lineStartIndex, shortened);
      }
      if (!lineEnd && x >= rc.right && i > lineStartIndex) lineEnd = true;
      if (!lineEnd) continue;

      if (bInLink) StoreLinkPiece();
      if ((uStyle & UITEXT_SINGLELINE) != 0) return i < n;
      if (i < n && s[i] == L'\n') ++i;
      while (i < n && s[i] == L' ') ++i;
      if (i >= n) break;  // nothing follows: the last line stays the current one
      x = rc.left + indent;
      y += cyLine;
      cyLine = LineHeightOf(tm);
      lineStartIndex = i;
      if (bInLink) StartLinkPiece();
    }
    return false;
  }
};

void DrawMarkup(IUIRenderPainter& painter, const UIMarkupContext& ctx, UIRect& rc, const std::wstring& text,
                UIColor clrText, UIColor clrBack, UIRect* prcLinks, int& nLinkRects, unsigned uStyle, bool bLabel,
                int lineSpacing, UIRect* prcOut) {
  if (rc.IsEmpty()) return;
  const bool bDraw = (uStyle & UITEXT_CALCRECT) == 0;
  if (bDraw) painter.SetClip(rc);

  UIRect area = rc;
  if (bDraw && (uStyle & UITEXT_SINGLELINE) != 0 &&
      (uStyle & (UITEXT_VCENTER | UITEXT_CENTER | UITEXT_RIGHT)) != 0) {
    UIRect measured = MakeUIRect(0, 0, kMeasureWidth, 100);
    int none = 0;
    DrawMarkup(painter, ctx, measured, text, clrText, kUIColorNoBackground, nullptr, none,
               (uStyle & ~(UITEXT_VCENTER | UITEXT_CENTER | UITEXT_RIGHT)) | UITEXT_CALCRECT, bLabel, lineSpacing,
               nullptr);
    int textWidth = measured.GetWidth();
    int textHeight = measured.GetHeight();
    if ((uStyle & UITEXT_VCENTER) != 0) {
      area.top = rc.top + (rc.GetHeight() - textHeight) / 2;
      area.bottom = area.top + textHeight;
    }
    if ((uStyle & UITEXT_CENTER) != 0) {
      int shift = (rc.GetWidth() - textWidth) / 2;
      area.left += shift;
      area.right += shift;
    } else if ((uStyle & UITEXT_RIGHT) != 0) {
      area.left = rc.right - textWidth;
    }
  }

  if (bDraw && clrBack != kUIColorNoBackground) painter.FillColorRect(area, clrBack);

  int capacity = prcLinks != nullptr ? std::max(0, nLinkRects) : 0;
  int iHot = -1;
  for (int k = 0; k < capacity; ++k) {
    if (prcLinks[k].Contains(ctx.ptMouse)) {
      iHot = k;
      break;
    }
  }

  Layout layout(painter, ctx, text);
  layout.rc = area;
  layout.clrText = clrText;
  layout.uStyle = uStyle;
  layout.bDraw = bDraw;
  layout.bLabel = bLabel;
  layout.lineSpacing = lineSpacing;
  layout.prcLinks = prcLinks;
  layout.nLinkCapacity = capacity;
  layout.iHotLink = iHot;
  bool remained = layout.Walk();

  for (int k = layout.nLinks; k < capacity; ++k) prcLinks[k] = UIRect();
  nLinkRects = layout.nLinks;

  if (!bDraw) {
    rc.bottom = std::max(layout.y + layout.cyLine, layout.cyImageBottom);
    if (rc.right > kMeasureWidth - 1) rc.right = layout.x + (remained ? 3 : 0);
  }
  if (prcOut != nullptr) {
    int bottom = layout.bAnyRun ? layout.cyLastRunBottom : rc.top;
    *prcOut = MakeUIRect(0, rc.top, rc.GetWidth(), bottom + 4);
  }
  painter.RestoreFont();
  if (bDraw) painter.RestoreClip();
}

bool PlaceholderAt(const wchar_t* t, std::size_t& len, unsigned& id) {
  if (t[0] != L'%' || t[1] != L'{') return false;
  std::size_t k = 2;
  unsigned long long v = 0;
  while (IsDigit(t[k])) {
    v = std::min<unsigned long long>(v * 10 + static_cast<unsigned>(t[k] - L'0'), 0xFFFFFFFFull);
    ++k;
  }
  if (t[k] != L'}') return false;
  len = k + 1;
  id = static_cast<unsigned>(v);
  return true;
}

}  // namespace

std::wstring ExpandResourcePlaceholders(const wchar_t* text) {
  std::wstring out;
  if (text == nullptr) return out;
  // Each distinct placeholder is looked up once; inserted texts are not scanned again, so a resource
  // that names itself cannot make the text grow without end.
  std::map<std::wstring, std::wstring> seen;
  for (const wchar_t* p = text; *p != 0;) {
    std::size_t len = 0;
    unsigned id = 0;
    if (PlaceholderAt(p, len, id)) {
      std::wstring token(p, len);
      auto it = seen.find(token);
      if (it == seen.end()) it = seen.emplace(token, id <= 0xFFFF ? LoadUIString(id) : std::wstring()).first;
      out += it->second;
      p += len;
    } else {
      out += *p++;
    }
  }
  return out;
}

void DrawPrettyText(IUIRenderPainter& painter, const UIMarkupContext& ctx, UIRect& rc, const wchar_t* text,
                    UIColor clrText, UIColor clrBack, UIRect* prcLinks, int& nLinkRects, unsigned uStyle) {
  std::wstring expanded = ExpandResourcePlaceholders(text);
  DrawMarkup(painter, ctx, rc, expanded, clrText, clrBack, prcLinks, nLinkRects, uStyle, false, 0, nullptr);
}

void DrawPrettyTextEx(IUIRenderPainter& painter, const UIMarkupContext& ctx, UIRect& rc, const wchar_t* text,
                      UIColor clrText, UIColor clrBack, UIRect* prcLinks, int& nLinkRects, unsigned uStyle,
                      int lineSpacing, UIRect* prcOut) {
  std::wstring expanded = ExpandResourcePlaceholders(text);
  DrawMarkup(painter, ctx, rc, expanded, clrText, clrBack, prcLinks, nLinkRects, uStyle, true, lineSpacing,
             prcOut);
}

void DrawPrettyTextStyle(IUIRenderPainter& painter, const UIMarkupContext& ctx, UIRect& rc, const wchar_t* text,
                         int iTextColor, int iBackColor, UIRect* prcLinks, int& nLinkRects, unsigned uStyle) {
  UIColor back = iBackColor == kUIColorIndexNone ? kUIColorNoBackground : CUIStyleTable::GetColor(iBackColor);
  DrawPrettyText(painter, ctx, rc, text, CUIStyleTable::GetColor(iTextColor), back, prcLinks, nLinkRects, uStyle);
}

}  // namespace vorlix
