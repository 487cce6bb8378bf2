#pragma once
// What one recorder run is launched with: the recording's name, the parameter string, and how often a
// running session is moved on to a new file.
#include <cstdint>
#include <string>

namespace vorlix {

// Where the bundled recorder lives below the program's folder, and the folder it is started in.
constexpr wchar_t kRecorderRelativePath[] = L"obs/bin/32bit/obs32.exe";
constexpr wchar_t kRecorderRelativeFolder[] = L"obs/bin/32bit/";
constexpr wchar_t kRecorderExeName[] = L"obs32.exe";

// The main window's timer that moves the recorder on to a new file.
constexpr unsigned TIMER_RESTART_OBS = 1045;
constexpr uint32_t kRestartPeriodMs = 3600000;
// Tests shorten the hourly restart through this variable; nothing else sets it.
constexpr char kTestRestartPeriodVariable[] = "VORLIX_TEST_RESTART_PERIOD_MS";

// The text with every character that a Windows file name cannot hold (control characters and
// < > : " / \ | ? *) replaced by '_'. A user id from the service ends up in file names and on the
// recorder's command line, where such a character would send the recording elsewhere or nowhere.
std::wstring SafeFileNamePart(const std::wstring& text);

// "<user id>_original_<launch time>" with the user id made safe for a file name; an empty id gives a
// name that begins with the underscore.
std::wstring FormatRecordingName(const std::wstring& userId, int32_t launchTime);

// --startrecording --start_no_show --file_save "<folder>" --file_name <name>
std::wstring BuildRecorderParameters(const std::wstring& videoFolder, const std::wstring& name);

// The restart period: the hour, unless the test variable holds a whole number of milliseconds from 100
// to the hour (null: the variable is not set).
uint32_t RestartPeriodMs(const char* testOverride);

}  // namespace vorlix
