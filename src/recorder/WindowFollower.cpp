#include "recorder/WindowFollower.h"

#include <algorithm>

namespace vorlix::recorder {
namespace {

std::wstring Num(int v) { return std::to_wstring(v); }

std::wstring Describe(const CaptureRect& r) {
  return Num(r.cx) + L"x" + Num(r.cy) + L" at " + Num(r.x) + L"," + Num(r.y);
}

}  // namespace

CaptureRect CaptureRegionFor(const CaptureRect& client, int desktopCX, int desktopCY) {
  const int left = std::max(client.x, 0), top = std::max(client.y, 0);
  const int right = std::min(client.x + client.cx, desktopCX), bottom = std::min(client.y + client.cy, desktopCY);
  CaptureRect r;
  if (right - left < 2 || bottom - top < 2) return r;
  r.x = left;
  r.y = top;
  r.cx = (right - left) & ~1;
  r.cy = (bottom - top) & ~1;
  return r;
}

std::wstring FollowFilters(const CaptureRect& region) {
  return std::wstring(kCropFilter) + L"=" + Num(region.cx) + L":" + Num(region.cy) + L":" + Num(region.x) + L":" +
         Num(region.y) + L"," + kBlankFilter + L"=x=0:y=0:w=iw:h=ih:c=black:t=fill:enable=0";
}

std::string KeyboardText(const FilterCommand& c) {
  const std::wstring line = L"c" + c.target + L" -1 " + c.command + L" " + c.argument + L"\n";
  // Filter names, option names and numbers: plain ASCII.
  return std::string(line.begin(), line.end());
}

CWindowFollower::CWindowFollower(const CaptureRect& region, int desktopCX, int desktopCY)
    : m_region(region), m_desktopCX(desktopCX), m_desktopCY(desktopCY) {}

std::vector<FilterCommand> CWindowFollower::Follow(const std::optional<CaptureRect>& client, std::wstring* note) {
  note->clear();
  std::vector<FilterCommand> out;
  // A window that has nothing on the desktop counts as gone.
  const bool shown = client && client->cx > 0 && client->cy > 0 && client->x < m_desktopCX &&
                     client->y < m_desktopCY && client->x + client->cx > 0 && client->y + client->cy > 0;
  if (!shown) {
    if (!m_bBlank) {
      m_bBlank = true;
      out.push_back({kBlankFilter, L"enable", L"1"});
      *note = L"the game window is gone: recording a black picture until it is back";
    }
    return out;
  }
  // The picture keeps its size; it moves with the window's top-left corner, kept on the desktop.
  CaptureRect moved = m_region;
  moved.x = std::clamp(client->x, 0, std::max(m_desktopCX - m_region.cx, 0));
  moved.y = std::clamp(client->y, 0, std::max(m_desktopCY - m_region.cy, 0));
  std::wstring what;
  if (moved.x != m_region.x) out.push_back({kCropFilter, L"x", Num(moved.x)});
  if (moved.y != m_region.y) out.push_back({kCropFilter, L"y", Num(moved.y)});
  if (!out.empty()) what = L"the game window moved: recording " + Describe(moved);
  m_region = moved;
  if (m_bBlank) {
    // Uncovered only once the crop is in place, so no frame shows the old place.
    m_bBlank = false;
    out.push_back({kBlankFilter, L"enable", L"0"});
    what = L"the game window is back: recording " + Describe(m_region);
  }
  if (!what.empty() && (client->cx != m_region.cx || client->cy != m_region.cy))
    what += L" (the window's client area is now " + Num(client->cx) + L"x" + Num(client->cy) +
            L"; the recording keeps its size)";
  *note = what;
  return out;
}

}  // namespace vorlix::recorder
