#include "recorder/FfmpegCommand.h"

#include <cstdlib>

namespace vorlix::recorder {
namespace {
std::wstring Num(int v) { return std::to_wstring(v); }
}  // namespace

CaptureChoice ChooseCapture(const RecorderSettings& s, const std::wstring& gameTitle,
                            const std::optional<CaptureRect>& client, int desktopCX, int desktopCY) {
  CaptureChoice c;
  const CaptureRect region = client ? CaptureRegionFor(*client, desktopCX, desktopCY) : CaptureRect{};
  if (s.captureSource == L"desktop") {
    c.reason = L"the capture source is set to the desktop";
  } else if (gameTitle.empty()) {
    c.reason = L"no game is chosen";
  } else if (!client) {
    c.reason = L"no window titled \"" + gameTitle + L"\" is open";
  } else if (region.cx == 0) {
    c.reason = L"the window titled \"" + gameTitle + L"\" shows nothing on the desktop";
  } else {
    c.bWindow = true;
    c.title = gameTitle;
    c.region = region;
    c.reason = L"the chosen game's window is open";
  }
  return c;
}

std::wstring QuoteArgument(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  size_t backslashes = 0;
  for (wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count double only before a quote.
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');
  return out + L"\"";
}

std::wstring BuildRecordCommand(const std::wstring& ffmpegPath, const RecorderSettings& s,
                                const CaptureChoice& capture, const std::vector<AudioInput>& audio,
                                const std::wstring& outputPath) {
  const std::wstring fps = Num(s.frameRate);
  std::wstring cmd = QuoteArgument(ffmpegPath) + L" -hide_banner -nostats -loglevel info -y";
  // Always the desktop: a grab of the window itself ends with the window, and games re-create theirs.
  cmd += L" -f gdigrab -framerate " + fps + L" -draw_mouse 1 -i desktop";
  for (const AudioInput& a : audio)
    cmd += L" -f " + a.format + (a.options.empty() ? L"" : L" " + a.options) + L" -i " + QuoteArgument(a.device);

  cmd += L" -map 0:v";
  if (audio.size() == 1) {
    cmd += L" -map 1:a";
  } else if (audio.size() > 1) {
    std::wstring graph;
    for (size_t i = 1; i <= audio.size(); ++i) graph += L"[" + std::to_wstring(i) + L":a]";
    graph += L"amix=inputs=" + std::to_wstring(audio.size()) + L":duration=longest[aout]";
    cmd += L" -filter_complex " + QuoteArgument(graph) + L" -map [aout]";
  }

  // Scaled into the output size with its aspect kept; a captured size is only made even.
  std::wstring scale;
  if (s.outputCX > 0 && s.outputCY > 0) {
    const std::wstring w = Num(s.outputCX), h = Num(s.outputCY);
    scale = L"scale=" + w + L":" + h + L":force_original_aspect_ratio=decrease:force_divisible_by=2,pad=" + w +
            L":" + h + L":(ow-iw)/2:(oh-ih)/2,format=yuv420p";
  } else {
    scale = L"scale=trunc(iw/2)*2:trunc(ih/2)*2,format=yuv420p";
  }
  const std::wstring kbps = Num(s.bitrate);
  cmd += L" -vf " + QuoteArgument(capture.bWindow ? FollowFilters(capture.region) + L"," + scale : scale);
  cmd += L" -c:v libx264 -preset veryfast -tune zerolatency -b:v " + kbps + L"k -maxrate " + kbps +
         L"k -bufsize " + Num(s.bitrate * 2) + L"k";
  cmd += L" -g " + fps + L" -keyint_min " + fps + L" -sc_threshold 0 -force_key_frames " +
         QuoteArgument(L"expr:gte(t,n_forced*1)");
  if (!audio.empty()) cmd += L" -c:a aac -b:a 160k";
  cmd += L" -flush_packets 1 -movflags +frag_keyframe+empty_moov+default_base_moof -f mp4 " + QuoteArgument(outputPath);
  return cmd;
}

std::vector<std::wstring> ParseDshowAudioDevices(const std::wstring& listing) {
  // Lines such as:  [dshow @ 0123] "Microphone (USB Audio)" (audio)
  std::vector<std::wstring> out;
  size_t pos = 0;
  while (pos < listing.size()) {
    size_t end = listing.find(L'\n', pos);
    if (end == std::wstring::npos) end = listing.size();
    std::wstring line = listing.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    size_t close = line.rfind(L"\" (audio)");
    if (close == std::wstring::npos) continue;
    size_t open = line.rfind(L'"', close - 1);
    if (open == std::wstring::npos || open + 1 >= close) continue;
    out.push_back(line.substr(open + 1, close - open - 1));
  }
  return out;
}

std::optional<double> FirstInputStart(const std::string& log) {
  const size_t input = log.find("Input #0,");
  if (input == std::string::npos) return std::nullopt;
  const size_t next = log.find("Input #1,", input);
  const size_t at = log.find(", start: ", input);
  if (at == std::string::npos || (next != std::string::npos && at > next)) return std::nullopt;
  const char* begin = log.c_str() + at + 9;
  char* end = nullptr;
  const double v = std::strtod(begin, &end);
  if (end == begin || !(v > 0)) return std::nullopt;
  return v;
}

bool LacksDshowInput(const std::wstring& listing) {
  return listing.find(L"Unknown input format: 'dshow'") != std::wstring::npos ||
         listing.find(L"Unknown input format: dshow") != std::wstring::npos;
}

}  // namespace vorlix::recorder
