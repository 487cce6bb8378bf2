#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "base/FileSystem.h"
#include "config/Settings.h"
#include "probes/HotkeyModel.h"

namespace vorlix {
namespace {

TEST(HotkeyNames, OnlyTheNamedKeysHaveNames) {
  const std::pair<int, const wchar_t*> named[] = {
      {0x70, L"F1"},   {0x78, L"F9"},   {0x79, L"F10"},  {124, L"F13"},  {0x82, L"F19"},    {0x83, L"F20"},
      {135, L"F24"},   {0x41, L"A"},    {0x5A, L"Z"},    {0x30, L"0"},   {0x39, L"9"},      {0x60, L"Num0"},
      {103, L"Num7"},  {0x69, L"Num9"}, {0x08, L"Backspace"}, {0x0D, L"Enter"},
  };
  for (const auto& [vk, text] : named) {
    std::wstring name;
    EXPECT_TRUE(GetKeyName(vk, name)) << vk;
    EXPECT_EQ(name, text) << vk;
  }
  // Space, Shift/Ctrl/Alt, F25, the keypad operators, Escape, Tab, OEM punctuation, the codes just
  // outside the digit and letter ranges.
  for (int vk : {32, 0x10, 0x11, 0x12, 0x88, 0x6A, 0x6F, 0x1B, 0x09, 0xBA, 0x2F, 0x3A, 0x40, 0x5B}) {
    std::wstring name = L"stale";
    EXPECT_FALSE(GetKeyName(vk, name)) << vk;
    EXPECT_TRUE(name.empty()) << vk;
  }
}

TEST(HotkeyNames, TextPutsModifiersInTheirFixedOrder) {
  EXPECT_EQ(FormatHotkeyText(true, true, false, L"F9"), L"Ctrl+Shift+F9");
  EXPECT_EQ(FormatHotkeyText(false, false, true, L"Num5"), L"Alt+Num5");
  EXPECT_EQ(FormatHotkeyText(true, true, true, L"A"), L"Ctrl+Shift+Alt+A");
  EXPECT_EQ(FormatHotkeyText(false, false, false, L"Enter"), L"Enter");
}

class HotkeySettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { RemoveFile(GetConfigPath()); }
  void TearDown() override { RemoveFile(GetConfigPath()); }
  static void Store(HotkeySlot s, bool ctrl, bool shift, bool alt, int vk) {
    SetHotkeyCtrl(s, ctrl);
    SetHotkeyShift(s, shift);
    SetHotkeyAlt(s, alt);
    SetHotkeyKey(s, vk);
  }
};

struct Registration {
  std::string op;
  int id;
  unsigned mods;
  int vk;
  bool operator==(const Registration& o) const { return op == o.op && id == o.id && mods == o.mods && vk == o.vk; }
};

class CRecordingRegistrar : public IHotkeyRegistrar {
 public:
  void Unregister(int id) override { calls.push_back({"unregister", id, 0, 0}); }
  bool Register(int id, unsigned mods, int vk) override {
    calls.push_back({"register", id, mods, vk});
    return true;
  }
  std::vector<Registration> calls;
};

struct RegisterCase {
  const char* name;
  bool ctrl, shift, alt;
  int vk;  // 0: leave the file empty
  std::vector<Registration> calls;
  std::wstring text;
};

TEST_F(HotkeySettingsTest, RegistrationOfEachSlot) {
  const std::pair<HotkeySlot, std::vector<RegisterCase>> table[] = {
      {HotkeySlot::StartStop,
       {
           {"empty file", false, false, false, 0, {{"unregister", 300, 0, 0}, {"register", 300, 4, 122}}, L"Shift+F11"},
           {"ctrl alt A", true, false, true, 65, {{"unregister", 300, 0, 0}, {"register", 300, 3, 65}}, L"Ctrl+Alt+A"},
           {"unnamed key falls back without unregistering", false, true, false, 32, {{"register", 300, 6, 0x52}},
            L"Shift+F11"},
       }},
      {HotkeySlot::Replay,
       {
           {"empty file", false, false, false, 0, {{"unregister", 301, 0, 0}, {"register", 301, 4, 121}}, L"Shift+F10"},
           {"all modifiers", true, true, true, 0x0D, {{"unregister", 301, 0, 0}, {"register", 301, 7, 0x0D}},
            L"Ctrl+Shift+Alt+Enter"},
           {"unnamed key falls back", true, false, false, 0x1B, {{"register", 301, 6, 0x44}}, L"Shift+F10"},
       }},
  };
  for (const auto& [slot, cases] : table) {
    for (const auto& c : cases) {
      RemoveFile(GetConfigPath());
      if (c.vk) Store(slot, c.ctrl, c.shift, c.alt, c.vk);
      CRecordingRegistrar reg;
      EXPECT_EQ(RegisterSlotHotkey(reg, slot), c.text) << c.name;
      EXPECT_EQ(reg.calls, c.calls) << c.name;
    }
  }
}

class CFakeFields : public IHotkeyFields {
 public:
  std::wstring GetFieldText(HotkeySlot s) override { return text[s]; }
  void SetFieldText(HotkeySlot s, const std::wstring& t) override { text[s] = t; }
  std::map<HotkeySlot, std::wstring> text;
};

TEST_F(HotkeySettingsTest, OpeningThePageWritesTheStoredOrDefaultValuesBack) {
  CFakeFields fields;
  CHotkeyCapture capture(fields);
  capture.FillFromSettings();
  EXPECT_EQ(fields.text[HotkeySlot::StartStop], L"Shift+F11");
  EXPECT_EQ(fields.text[HotkeySlot::Replay], L"Shift+F10");
  EXPECT_EQ(capture.Target(), HotkeySlot::Replay);
  std::string file;
  ReadWholeFile(GetConfigPath(), file);
  EXPECT_EQ(file,
            "[HotKeyRecord]\r\nCtrl=0\r\nShift=1\r\nAlt=0\r\nHotKey=122\r\n"
            "[HotKeyBack]\r\nCtrl=0\r\nShift=1\r\nAlt=0\r\nHotKey=121\r\n");
}

TEST_F(HotkeySettingsTest, PageLeavesAFieldEmptyForAnUnnamedOrDuplicateStoredKey) {
  Store(HotkeySlot::StartStop, false, true, false, 32);
  CFakeFields fields;
  CHotkeyCapture(fields).FillFromSettings();
  EXPECT_EQ(fields.text[HotkeySlot::StartStop], L"");
  EXPECT_EQ(fields.text[HotkeySlot::Replay], L"Shift+F10");
  EXPECT_EQ(GetHotkeyKey(HotkeySlot::StartStop), 32) << "nothing written for the unnamed slot";

  RemoveFile(GetConfigPath());
  Store(HotkeySlot::StartStop, true, false, false, 0x41);
  Store(HotkeySlot::Replay, true, false, false, 0x41);
  CFakeFields dup;
  CHotkeyCapture(dup).FillFromSettings();
  EXPECT_EQ(dup.text[HotkeySlot::StartStop], L"Ctrl+A");
  EXPECT_EQ(dup.text[HotkeySlot::Replay], L"") << "a replay hotkey equal to start/stop stays empty";
}

struct PressCase {
  const char* name;
  bool ctrl, shift, alt;
  int vk;
  bool changes;
  std::wstring startStopText;
};

TEST_F(HotkeySettingsTest, KeyPressesOnTheStartStopField) {
  const PressCase cases[] = {
      {"same as the replay hotkey", false, true, false, 0x79, false, L"Shift+F11"},
      {"shift alone has no name", false, true, false, 0x10, false, L"Shift+F11"},
      {"space has no name", true, false, false, 0x20, false, L"Shift+F11"},
      {"a new combination", false, true, false, 0x78, true, L"Shift+F9"},
      {"no modifiers at all", false, false, false, 0x42, true, L"B"},
  };
  for (const auto& c : cases) {
    RemoveFile(GetConfigPath());
    CFakeFields fields;
    CHotkeyCapture capture(fields);
    capture.FillFromSettings();
    capture.SetTarget(HotkeySlot::StartStop);
    EXPECT_EQ(capture.CaptureHotkey(c.ctrl, c.shift, c.alt, c.vk), c.changes) << c.name;
    EXPECT_EQ(fields.text[HotkeySlot::StartStop], c.startStopText) << c.name;
    EXPECT_EQ(fields.text[HotkeySlot::Replay], L"Shift+F10") << c.name;
    EXPECT_EQ(GetHotkeyKey(HotkeySlot::StartStop), c.changes ? c.vk : 122) << c.name;
    EXPECT_EQ(GetHotkeyShift(HotkeySlot::StartStop), c.changes ? int(c.shift) : 1) << c.name;
    EXPECT_EQ(GetHotkeyCtrl(HotkeySlot::StartStop), c.changes ? int(c.ctrl) : 0) << c.name;
    EXPECT_EQ(GetHotkeyKey(HotkeySlot::Replay), 121) << c.name;
  }
}

}  // namespace
}  // namespace vorlix
