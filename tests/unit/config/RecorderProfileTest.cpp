#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "base/FileSystem.h"
#include "base/TextConv.h"
#include "config/RecorderProfile.h"
#include "config/Settings.h"

namespace vorlix {
namespace {

// The profile paths are fixed on first use, so the roaming folder is pointed at a private folder before
// any test runs.
std::wstring Roaming() { return GetAppDirectory() + L"roaming_profile_test"; }

const bool kRoamingSet = [] {
#ifdef _WIN32
  _wputenv_s(L"APPDATA", Roaming().c_str());
#else
  setenv("APPDATA", WideToAnsi(Roaming()).c_str(), 1);
#endif
  return true;
}();

std::wstring Join(std::initializer_list<const wchar_t*> parts) {
  std::wstring out = Roaming();
  for (const wchar_t* p : parts) out += PathSeparator() + std::wstring(p);
  return out;
}

std::string Bytes(const std::wstring& path) {
  std::string s;
  ReadWholeFile(path, s);
  return s;
}

class RecorderProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(kRoamingSet);
    for (const auto& dir : {Roaming(), Join({L"vorlix"}), Join({L"vorlix", L"basic"}),
                            Join({L"vorlix", L"basic", L"profiles"}), Join({L"vorlix", L"basic", L"profiles", L"gamer"}),
                            Join({L"vorlix", L"basic", L"scenes"})})
      if (!DirectoryExists(dir)) {
        ASSERT_TRUE(CreateOneDirectory(dir));
      }
    RemoveFile(GetRecorderProfilePath());
    RemoveFile(GetRecorderScenePath());
  }
  void TearDown() override {
    RemoveFile(GetRecorderProfilePath());
    RemoveFile(GetRecorderScenePath());
  }
};

TEST_F(RecorderProfileTest, PathsLieBelowTheRoamingFolder) {
  EXPECT_EQ(GetRoamingAppDataPath(), Roaming());
  EXPECT_EQ(GetRecorderProfilePath(), Join({L"vorlix", L"basic", L"profiles", L"gamer", L"basic.ini"}));
  EXPECT_EQ(GetRecorderScenePath(), Join({L"vorlix", L"basic", L"scenes", L"gamer.json"}));
}

TEST_F(RecorderProfileTest, AbsentProfileGivesTheDefaultsAndTheirChoices) {
  EXPECT_EQ(GetOutputHeight(), 0);
  EXPECT_EQ(GetOutputWidth(), 0);
  EXPECT_EQ(GetVideoBitrate(), 0);
  EXPECT_EQ(GetFrameRate(), 60);
  EXPECT_EQ(ChosenResolutionPreset(GetOutputHeight()), -1);
  EXPECT_EQ(ChosenBitratePreset(GetVideoBitrate()), -1);
  EXPECT_EQ(ChosenFrameRatePreset(GetFrameRate()), 1);
  EXPECT_FALSE(FileExists(GetRecorderProfilePath()));
}

TEST_F(RecorderProfileTest, StoredValuesMapOntoThePresets) {
  struct Case {
    int stored;
    int resolution, bitrate, frameRate;
  } cases[] = {
      {540, 0, -1, 1}, {720, 1, -1, 1}, {1080, 2, -1, 1}, {4000, -1, 0, 1}, {6000, -1, 1, 1},
      {8000, -1, 2, 1}, {10000, -1, 3, 1}, {30, -1, -1, 0}, {24, -1, -1, 1}, {0, -1, -1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    EXPECT_EQ(ChosenResolutionPreset(c.stored), c.resolution);
    EXPECT_EQ(ChosenBitratePreset(c.stored), c.bitrate);
    EXPECT_EQ(ChosenFrameRatePreset(c.stored), c.frameRate);
  }
}

TEST_F(RecorderProfileTest, PresetsAreWrittenInOrderAndOtherLinesStayAsTheRecorderWroteThem) {
  const std::string before =
      "[General]\r\nName=gamer\r\n\r\n[Video]\r\nBaseCX=1920\r\nBaseCY=1080\r\nFPSType=0\r\n\r\n"
      "[Output]\r\nMode=Simple\r\n";
  ASSERT_TRUE(WriteWholeFile(GetRecorderProfilePath(), before));
  SetOutputResolution(kResolutionPresets[1]);
  SetVideoBitrate(6000);
  SetFrameRate(30);
  EXPECT_EQ(Bytes(GetRecorderProfilePath()),
            "[General]\r\nName=gamer\r\n\r\n[Video]\r\nBaseCX=1920\r\nBaseCY=1080\r\nFPSType=0\r\n"
            "OutputCX=1280\r\nOutputCY=720\r\nFPSCommon=30\r\n\r\n[Output]\r\nMode=Simple\r\n"
            "[SimpleOutput]\r\nVBitrate=6000\r\n");
  EXPECT_EQ(GetOutputWidth(), 1280);
  EXPECT_EQ(GetOutputHeight(), 720);
  EXPECT_EQ(GetVideoBitrate(), 6000);
  EXPECT_EQ(GetFrameRate(), 30);

  // A second choice replaces the values in place.
  SetOutputResolution(kResolutionPresets[0]);
  SetCanvasWidth(2560);
  SetCanvasHeight(1440);
  EXPECT_EQ(Bytes(GetRecorderProfilePath()),
            "[General]\r\nName=gamer\r\n\r\n[Video]\r\nBaseCX=2560\r\nBaseCY=1440\r\nFPSType=0\r\n"
            "OutputCX=960\r\nOutputCY=540\r\nFPSCommon=30\r\n\r\n[Output]\r\nMode=Simple\r\n"
            "[SimpleOutput]\r\nVBitrate=6000\r\n");
}

TEST_F(RecorderProfileTest, AProfileThatIsNotIniReadsAsDefaults) {
  const std::string junk = "\x89PNG\r\n\x1a\nnot an ini file at all";
  ASSERT_TRUE(WriteWholeFile(GetRecorderProfilePath(), junk));
  EXPECT_EQ(GetOutputHeight(), 0);
  EXPECT_EQ(GetVideoBitrate(), 0);
  EXPECT_EQ(GetFrameRate(), 60);
  EXPECT_EQ(Bytes(GetRecorderProfilePath()), junk);
}

TEST_F(RecorderProfileTest, SceneFileCases) {
  struct Case {
    const char* name;
    std::string before;
    bool readsEnabled;
    bool enable;
    std::string after;  // empty: the file must stay byte for byte
  } cases[] = {
      {"muted true with another member", "{\n  \"AuxAudioDevice1\" : {\n    \"muted\" : true,\n    \"name\" : \"Mic\"\n  }\n}\n",
       false, true, "{\"AuxAudioDevice1\":{\"muted\":false,\"name\":\"Mic\"}}\n"},
      {"muted false, disabling", "{\"AuxAudioDevice1\":{\"muted\":false},\"x\":1}", true, false,
       "{\"AuxAudioDevice1\":{\"muted\":true},\"x\":1}\n"},
      {"no AuxAudioDevice1", "{ \"sources\" : [ 1, 2 ],\n \"name\" : \"gamer\" }", false, true,
       "{\"name\":\"gamer\",\"sources\":[1,2]}\n"},
      {"AuxAudioDevice1 without muted", "{\"AuxAudioDevice1\":{\"volume\":0.5}}", false, true,
       "{\"AuxAudioDevice1\":{\"volume\":0.5}}\n"},
      {"comments are allowed", "// the recorder's note\n{\"AuxAudioDevice1\":{\"muted\":false}}", true, true,
       "{\"AuxAudioDevice1\":{\"muted\":false}}\n"},
      {"muted of another type", "{\"AuxAudioDevice1\":{\"muted\":\"yes\"}}", false, true,
       "{\"AuxAudioDevice1\":{\"muted\":false}}\n"},
      {"root that is not an object", "[1,2]", false, true, "[1,2]\n"},
      {"invalid JSON", "{\"AuxAudioDevice1\": {\"muted\": tru", false, true, ""},
      {"not JSON at all", std::string("\xff\xfe\0garbage", 10), false, true, ""},
      // A broken byte becomes U+FFFD once, so later rewrites are stable.
      {"a key that is not UTF-8", "{\"AuxAudioDevice1\":{\"muted\":true},\"sou\xd5" "1\":{}}", false, true,
       "{\"AuxAudioDevice1\":{\"muted\":false},\"sou\\ufffd1\":{}}\n"},
      {"names in UTF-8 are written escaped", "{\"AuxAudioDevice1\":{\"muted\":true,\"name\":\"\xe9\xba\xa6\"}}", false,
       true, "{\"AuxAudioDevice1\":{\"muted\":false,\"name\":\"\\u9ea6\"}}\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(WriteWholeFile(GetRecorderScenePath(), c.before));
    EXPECT_EQ(IsMicrophoneEnabled(), c.readsEnabled);
    SetMicrophoneEnabled(c.enable);
    EXPECT_EQ(Bytes(GetRecorderScenePath()), c.after.empty() ? c.before : c.after);
    if (!c.after.empty()) {
      EXPECT_EQ(IsMicrophoneEnabled(), c.after.find("\"muted\":false") != std::string::npos);
    }
  }
}

TEST_F(RecorderProfileTest, MissingSceneFileReadsDisabledAndIsNotCreated) {
  EXPECT_FALSE(IsMicrophoneEnabled());
  SetMicrophoneEnabled(true);
  EXPECT_FALSE(FileExists(GetRecorderScenePath()));
}

TEST_F(RecorderProfileTest, WholeFileHelpers) {
  const std::wstring path = GetRecorderScenePath();
  EXPECT_EQ(profile::ReadWholeFile(path), "");
  profile::WriteWholeFile(path, std::string("abc\0def", 7));
  EXPECT_EQ(Bytes(path), std::string("abc\0def", 7));
  EXPECT_EQ(profile::ReadWholeFile(path), "abc");
  profile::WriteWholeFile(path, "x");
  EXPECT_EQ(Bytes(path), "x");
  // A folder that does not exist is not created; the write only leaves its trace.
  const std::wstring nowhere = Join({L"missing", L"gamer.json"});
  profile::WriteWholeFile(nowhere, "{}");
  EXPECT_FALSE(FileExists(nowhere));
  EXPECT_FALSE(DirectoryExists(Join({L"missing"})));
}

}  // namespace
}  // namespace vorlix
