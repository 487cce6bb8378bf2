#pragma once
// Keeps the recording on the game's window while the window moves, goes away and comes back.
//
// The encoder grabs the whole desktop and crops the picture to the window's client area; a black box
// covers the picture while the window is gone. Nothing of the encoder restarts, so the recording stays
// one file whose timeline is the wall clock, however often the game re-creates its window. Changes reach
// the running encoder as filter commands typed on its keyboard input.
#include <optional>
#include <string>
#include <vector>

namespace vorlix::recorder {

// A rectangle in the coordinates of the desktop picture (0,0 is the virtual screen's top-left corner).
struct CaptureRect {
  int x = 0, y = 0, cx = 0, cy = 0;
  bool operator==(const CaptureRect& o) const { return x == o.x && y == o.y && cx == o.cx && cy == o.cy; }
};

// The crop and the black box inside the encoder's filter graph, addressed by these names.
constexpr wchar_t kCropFilter[] = L"crop@follow";
constexpr wchar_t kBlankFilter[] = L"drawbox@blank";

// The recorded part of the desktop: the window's client area when the recording starts, clipped to the
// desktop and made even (the encoder's 4:2:0 pictures need even sizes). Empty (cx == 0) when nothing of
// the window is on the desktop.
CaptureRect CaptureRegionFor(const CaptureRect& client, int desktopCX, int desktopCY);

// The filter part that does the cropping and the blanking, for the encoder's -vf chain.
std::wstring FollowFilters(const CaptureRect& region);

struct FilterCommand {
  std::wstring target, command, argument;
  bool operator==(const FilterCommand& o) const {
    return target == o.target && command == o.command && argument == o.argument;
  }
};
// What ffmpeg's keyboard input takes for one command: 'c', then "<target> -1 <command> <argument>" and
// a line feed (-1: at once).
std::string KeyboardText(const FilterCommand& c);

class CWindowFollower {
 public:
  CWindowFollower(const CaptureRect& region, int desktopCX, int desktopCY);

  // The window's client area now (none: closed, hidden or minimised), polled a few times a second.
  // Returns the commands that bring the recording onto it, in the order to send them, and a line for
  // the log when something changed (empty otherwise).
  std::vector<FilterCommand> Follow(const std::optional<CaptureRect>& client, std::wstring* note);

  bool Blank() const { return m_bBlank; }
  CaptureRect Region() const { return m_region; }

 private:
  CaptureRect m_region;
  int m_desktopCX, m_desktopCY;
  bool m_bBlank = false;
};

}  // namespace vorlix::recorder
