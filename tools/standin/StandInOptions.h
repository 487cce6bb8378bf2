#pragma once
// The stand-in game's command line (every switch optional):
//   --title T          window title (default "Vorlix Stand-in Game")
//   --size WxH         client size (default 640x360)
//   --pos X,Y          screen position of the window (default 120,90)
//   --fps N            repaints per second (default 60)
//   --close-after MS   destroy the window MS after the start ...
//   --reopen-after MS  ... and create it again MS after it was destroyed (needs --close-after)
//   --exit-after MS    end the program MS after the start
//   --start-file PATH  write the start moment there, in milliseconds since 1970 UTC
//   --tone HZ          play a steady sine of this frequency (half of full scale) through the default
//                      output while running, as game sound; without a sound device it plays nothing
//   --hotkey-log PATH  register Shift+F11 and Shift+F10 as system-wide hotkeys and append a line per press
//                      ("shift+F11 <ms since start>"): proves that key presses sent to the display reach
//                      a program's hotkeys. Never run it with the program, which registers the same keys.
#include <string>
#include <vector>

namespace vorlix::standin {

struct StandInOptions {
  std::wstring title = L"Vorlix Stand-in Game";  // a title the development service lists
  int width = 640;
  int height = 360;
  int x = 120;
  int y = 90;
  int fps = 60;
  int closeAfterMs = -1;   // -1: never
  int reopenAfterMs = -1;  // -1: stays closed (the program still runs until --exit-after or a kill)
  int exitAfterMs = -1;
  std::wstring startFile;
  std::wstring hotkeyLog;
  int toneHz = 0;  // 0: silent
};

// False with a message naming the offending switch when the line cannot be followed.
bool ParseStandInOptions(const std::vector<std::wstring>& args, StandInOptions* out, std::wstring* error);

}  // namespace vorlix::standin
