#include <gtest/gtest.h>

#include "base/TextConv.h"
#include "recorder/WindowFollower.h"

namespace vorlix::recorder {
namespace {

using Commands = std::vector<FilterCommand>;

TEST(WindowFollower, FollowsTheWindowAwayAndBackWithoutChangingThePictureSize) {
  // The recording started on a 640x360 client area at 120,110 of a 1280x800 desktop.
  CWindowFollower f(CaptureRect{120, 110, 640, 360}, 1280, 800);
  const std::optional<CaptureRect> gone;
  struct Step {
    const char* what;
    std::optional<CaptureRect> client;
    Commands commands;
    const wchar_t* note;  // part of the log line; nullptr: no line
    CaptureRect region;
  } steps[] = {
      {"still in place", CaptureRect{120, 110, 640, 360}, {}, nullptr, {120, 110, 640, 360}},
      {"closed", gone, {{L"drawbox@blank", L"enable", L"1"}}, L"is gone", {120, 110, 640, 360}},
      {"still closed", gone, {}, nullptr, {120, 110, 640, 360}},
      {"minimised or off the desktop", CaptureRect{-32000, -32000, 160, 0}, {}, nullptr, {120, 110, 640, 360}},
      // Back at the same place: only uncovered.
      {"re-opened", CaptureRect{120, 110, 640, 360}, {{L"drawbox@blank", L"enable", L"0"}}, L"is back",
       {120, 110, 640, 360}},
      {"moved", CaptureRect{300, 110, 640, 360}, {{L"crop@follow", L"x", L"300"}}, L"moved",
       {300, 110, 640, 360}},
      // Past the desktop's edge the picture stops at the edge; a bigger client area keeps the size.
      {"pushed off the bottom right", CaptureRect{1000, 700, 800, 450},
       {{L"crop@follow", L"x", L"640"}, {L"crop@follow", L"y", L"440"}}, L"recording keeps its size",
       {640, 440, 640, 360}},
      {"closed again", gone, {{L"drawbox@blank", L"enable", L"1"}}, L"is gone", {640, 440, 640, 360}},
      // Re-created elsewhere: the crop moves first, the cover goes last, so no frame shows the old place.
      {"re-created elsewhere", CaptureRect{10, 20, 640, 360},
       {{L"crop@follow", L"x", L"10"}, {L"crop@follow", L"y", L"20"}, {L"drawbox@blank", L"enable", L"0"}},
       L"is back: recording 640x360 at 10,20", {10, 20, 640, 360}},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    std::wstring note = L"stale";
    EXPECT_EQ(f.Follow(s.client, &note), s.commands);
    if (s.note) {
      EXPECT_NE(note.find(s.note), std::wstring::npos) << WideToUtf8(note);
    } else {
      EXPECT_EQ(note, L"");
    }
    EXPECT_EQ(f.Region(), s.region);
  }
}

TEST(WindowFollower, CommandsAreTypedTheWayFfmpegsKeyboardInputReadsThem) {
  EXPECT_EQ(KeyboardText({L"crop@follow", L"x", L"300"}), "ccrop@follow -1 x 300\n");
  EXPECT_EQ(KeyboardText({L"drawbox@blank", L"enable", L"1"}), "cdrawbox@blank -1 enable 1\n");
  EXPECT_EQ(FollowFilters(CaptureRect{6, 8, 320, 240}),
            L"crop@follow=320:240:6:8,drawbox@blank=x=0:y=0:w=iw:h=ih:c=black:t=fill:enable=0");
}

}  // namespace
}  // namespace vorlix::recorder
