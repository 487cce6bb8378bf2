#pragma once
// A real recording for the clip tests, made with the ffmpeg the program ships (or Debian's natively):
// 75 s of a test pattern that changes every frame, 10 frames per second, a keyframe every second,
// fragmented MP4 as the recorder writes it; and the checks a clip needs (frames, length, storage).
#include <gtest/gtest.h>
#include <json/json.h>

#include <string>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "config/Settings.h"
#include "net/PLObject.h"
#include "recording/CommandRunner.h"
#include "recording/VideoProbe.h"
#include "support/DevServiceClient.h"

namespace vorlix::cliptest {

inline std::wstring Folder(const std::wstring& name) {
  std::wstring folder = GetAppDirectory() + name;
  CreateDirectories(folder);
  return folder;
}

inline std::wstring Join(const std::wstring& folder, const std::wstring& name) {
  return folder + PathSeparator() + name;
}

inline std::string Run(const std::wstring& command) { return WideToUtf8(ExecCmd(WideToAnsi(command))); }

// The source recording, made once per test program.
inline const std::wstring& SourceRecording() {
  static const std::wstring path = [] {
    std::wstring p = Join(Folder(L"clip_sources"), L"source.mp4");
    if (GetVideoDurationMs(p) < 74000)
      Run(L"ffmpeg -hide_banner -y -f lavfi -i testsrc=size=160x120:rate=10 -t 75 -c:v libx264 -preset ultrafast "
          L"-g 10 -keyint_min 10 -sc_threshold 0 -pix_fmt yuv420p -movflags frag_keyframe+empty_moov \"" + p + L"\"");
    return p;
  }();
  return path;
}

// The decoded frame at a time of a video, as raw YUV bytes; "last" takes the video's final frame instead.
inline std::string FrameAt(const std::wstring& video, const std::string& seconds, const std::wstring& image) {
  RemoveFile(image);
  const std::wstring output = L" -update 1 -f image2 -c:v rawvideo -pix_fmt yuv420p \"" + image + L"\"";
  if (seconds == "last")
    Run(L"ffmpeg -hide_banner -y -sseof -1 -i \"" + video + L"\"" + output);
  else
    Run(L"ffmpeg -hide_banner -y -ss " + Utf8ToWide(seconds) + L" -i \"" + video + L"\" -frames:v 1" + output);
  std::string bytes;
  ReadWholeFile(image, bytes);
  return bytes;
}

// A session of the development service, stored where the program keeps it and handed to the request
// object.
inline plHttp::SessionValues LogIn(const std::string& phone) {
  Json::Value body;
  body["phone"] = phone;
  Json::Value s = test::Control("POST", "login", body);
  plHttp::SessionValues session{s["userId"].asString(), s["loginToken"].asString(), s["signSecret"].asString()};
  SetUserId(Utf8ToWide(session.userId));
  SetUserToken(Utf8ToWide(session.userToken));
  SetUserSecret(Utf8ToWide(session.signSecret));
  plHttp::GetPLObject().SetSession(session);
  return session;
}

inline std::string StoredObject(const std::string& key) {
  test::HttpAnswer a = test::HttpCall("GET", test::ServiceUrl() + "/cdn/" + key);
  return a.status == 200 ? a.body : std::string();
}

}  // namespace vorlix::cliptest
