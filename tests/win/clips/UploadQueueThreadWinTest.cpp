// The upload queue's resume thread under Windows against the development service: a clip whose upload
// the storage broke off at block 3 of 5 is finished by the thread the main window starts, from block 3,
// registered once, and its file goes; the window hears the queue's count, the percent and the saved clip.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "base/FileSystem.h"
#include "net/Sha1.h"
#include "recording/CCutVideoServices.h"
#include "recording/ClipPlanner.h"
#include "recording/UploadQueueResume.h"
#include "recording/win32/UploadQueueThread.h"
#include "shell/WindowMessages.h"
#include "unit/clips/ClipRecording.h"

namespace vorlix {
namespace {

using namespace cliptest;

struct Posted {
  UINT id;
  WPARAM w;
  LPARAM l;
};

// A message-only window that keeps what the resume thread posts.
class CQueueReceiver {
 public:
  CQueueReceiver() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QueueReceiver";
    RegisterClassW(&wc);
    m_hwnd = CreateWindowW(L"QueueReceiver", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~CQueueReceiver() { DestroyWindow(m_hwnd); }
  HWND Hwnd() const { return m_hwnd; }
  // Pumps until the pass has ended (WM_UPLOAD_QUEUE with lParam -1) or the time is up.
  bool WaitPassEnd(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    while (!m_ended && GetTickCount() < end) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    return m_ended;
  }
  std::vector<Posted> messages;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<CQueueReceiver*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && msg >= WM_USER) {
      self->messages.push_back({msg, w, l});
      if (msg == WM_UPLOAD_QUEUE && l == -1) self->m_ended = true;
      return 0;
    }
    return DefWindowProcW(hwnd, msg, w, l);
  }
  HWND m_hwnd = nullptr;
  bool m_ended = false;
};

// The first attempt ran an hour ago, so its back-off is over when the thread starts.
class CEarlierServices : public CCutVideoServices {
 public:
  CEarlierServices() : CCutVideoServices(nullptr) {}
  int64_t NowMs() override { return CCutVideoServices::NowMs() - 3600 * 1000; }
};

std::vector<std::string> MkblkPaths() {
  std::vector<std::string> paths;
  const Json::Value recorded = test::RecordedRequests("mkblk");
  for (const Json::Value& r : recorded["requests"]) paths.push_back(r["path"].asString());
  return paths;
}

TEST(UploadQueueThreadWin, AClipBrokenOffAtBlockThreeIsFinishedFromThereByTheResumeThread) {
  ASSERT_FALSE(test::ServiceUrl().empty());
  test::Control("POST", "reset");
  plHttp::SessionValues session = LogIn("13800138061");
  // The program's journal, fresh: nothing from an earlier run of this test program.
  RemoveFile(GetAppDirectory() + L"Config\\upload-queue.journal");
  CUploadQueue& queue = ProgramUploadQueue();
  ASSERT_TRUE(queue.All().empty());

  const std::wstring folder = Folder(L"upload_queue_thread");
  std::string bytes(4 * net::kCloudBlockSize + 65537, '\0');
  unsigned x = 777;
  for (char& c : bytes) {
    x = x * 1103515245u + 12345u;
    c = char(x >> 23);
  }
  QueuedClip clip;
  clip.key = WideToAnsi(ClipFileName(Utf8ToWide(session.userId), 1700000500000));
  clip.localFile = Join(folder, Utf8ToWide(clip.key));
  clip.momentMs = 1700000500000;
  clip.segmentStart = 1700000450;
  clip.duration = 300;
  clip.size = static_cast<int64_t>(bytes.size());
  ASSERT_TRUE(WriteWholeFile(clip.localFile, bytes));
  ASSERT_TRUE(queue.Add(clip));

  Json::Value fault;
  fault["upload"]["fail_block"] = 2;
  fault["upload"]["fail_count"] = 1;
  fault["upload"]["fail_status"] = 503;
  test::Control("POST", "config", fault);
  {
    CEarlierServices earlier;
    SessionData data;
    CCutVideoJob job(data, earlier, nullptr, &queue);
    ASSERT_FALSE(job.DeliverQueued(clip.key));
  }
  ASSERT_EQ(3u, MkblkPaths().size());
  Json::Value healthy;
  healthy["upload"]["fail_block"] = Json::Value();
  test::Control("POST", "config", healthy);

  CQueueReceiver receiver;
  StartUploadQueueResume(receiver.Hwnd());
  ASSERT_TRUE(receiver.WaitPassEnd(60000));

  const std::string block = "/mkblk/" + std::to_string(net::kCloudBlockSize);
  EXPECT_EQ((std::vector<std::string>{block, block, block, block, block, "/mkblk/65537"}), MkblkPaths());
  EXPECT_EQ(net::Sha1Hex(bytes), net::Sha1Hex(StoredObject(clip.key)));
  EXPECT_EQ(1u, test::RecordedRequests("register_clip")["requests"].size());
  EXPECT_FALSE(FileExists(clip.localFile));
  EXPECT_TRUE(queue.All().empty());

  ASSERT_FALSE(receiver.messages.empty());
  EXPECT_EQ(WM_UPLOAD_QUEUE, receiver.messages.front().id);
  EXPECT_EQ(1u, receiver.messages.front().w);
  bool saved = false, full = false;
  for (const Posted& p : receiver.messages) {
    saved = saved || p.id == WM_CLIP_SAVED;
    full = full || (p.id == WM_UPLOAD_QUEUE && p.l == 100);
  }
  EXPECT_TRUE(saved);
  EXPECT_TRUE(full);
  EXPECT_EQ(0u, receiver.messages.back().w);
}

}  // namespace
}  // namespace vorlix
