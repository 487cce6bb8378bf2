#include "net/PLObject.h"

#include <curl/curl.h>
#include <json/json.h>

#include <memory>

#include "base/JsonText.h"
#include "base/TextConv.h"
#include "config/Settings.h"
#include "net/Endpoints.h"
#include "net/download/TransferEngine.h"
#include "net/Envelope.h"
#include "net/RequestBodies.h"
#include "net/Signing.h"
#include "net/tls/TrustStore.h"

#ifdef ReportEvent
#undef ReportEvent
#endif

namespace plHttp {

using namespace vorlix::net;

namespace {

// Sent as the Referer of plain GETs.
constexpr const char kReferer[] = "vorlix.cn";

SessionValues SessionFromSettings() {
  SessionValues s;
  s.userToken = vorlix::WideToCp936(vorlix::GetUserToken());
  s.signSecret = vorlix::WideToCp936(vorlix::GetUserSecret());
  s.userId = vorlix::WideToCp936(vorlix::GetUserId());
  return s;
}

// A member of "data" as the text the service sent (numbers written in decimal).
std::string DataText(const Json::Value& data, const char* name) {
  if (!data.isObject()) return std::string();
  const Json::Value& v = data[name];
  if (v.isString()) return v.asString();
  if (v.isIntegral()) return v.isUInt64() ? std::to_string(v.asUInt64()) : std::to_string(v.asInt64());
  return std::string();
}

struct HeaderList {
  curl_slist* list = nullptr;
  void Add(const std::string& line) { list = curl_slist_append(list, line.c_str()); }
  ~HeaderList() { curl_slist_free_all(list); }
};

}  // namespace

struct CPLObject::CallContext {
  CPLObject* object;
  std::string* response;
};

CPLObject::CPLObject() : CPLObject(SessionFromSettings(), GetApiBaseUrl(), GetLogCollectorUrl()) {}

CPLObject::CPLObject(const SessionValues& session, const std::string& apiBase, const std::string& logUrl) {
  CURLSH* share = curl_share_init();
  if (share) {
    curl_share_setopt(share, CURLSHOPT_USERDATA, this);
    curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
    curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
    curl_share_setopt(share, CURLSHOPT_LOCKFUNC, &CPLObject::LockShare);
    curl_share_setopt(share, CURLSHOPT_UNLOCKFUNC, &CPLObject::UnlockShare);
  }
  m_share = share;
  m_userAgent = MakeUserAgent(GetAdapterAddressText());
  m_transfer = std::make_unique<TransferEngine>();
  m_transfer->SetUserAgent(m_userAgent);
  m_transfer->SetReferer(kReferer);
  m_session = session;
  m_apiBase = apiBase;
  m_logUrl = logUrl;
}

CPLObject::~CPLObject() {
  RequestStop();
  m_transfer->Quit();
  m_transfer->SetListener(nullptr);
  m_listener = nullptr;
  if (m_share) curl_share_cleanup(static_cast<CURLSH*>(m_share));
}

void CPLObject::LockShare(void* /*handle*/, int data, int /*access*/, void* user) {
  auto* self = static_cast<CPLObject*>(user);
  if (!self) return;
  if (data == CURL_LOCK_DATA_DNS) self->m_dnsLock.lock();
  if (data == CURL_LOCK_DATA_CONNECT) self->m_connectionLock.lock();
}

void CPLObject::UnlockShare(void* /*handle*/, int data, void* user) {
  auto* self = static_cast<CPLObject*>(user);
  if (!self) return;
  if (data == CURL_LOCK_DATA_DNS) self->m_dnsLock.unlock();
  if (data == CURL_LOCK_DATA_CONNECT) self->m_connectionLock.unlock();
}

std::size_t CPLObject::WriteResponse(char* data, std::size_t size, std::size_t count, void* context) {
  auto* call = static_cast<CallContext*>(context);
  std::size_t bytes = size * count;
  if (call->object->IsStopping()) return bytes + 1;
  if (call->response->size() + bytes > kMaxApiResponseBytes) return bytes + 1;
  call->response->append(data, bytes);
  return bytes;
}

void CPLObject::SetHttpCallback(IPLHttpCallback* listener) {
  m_listener = listener;
  m_transfer->SetListener(listener);
}

int CPLObject::DownloadFile(const std::string& url, const std::wstring& folder, const std::wstring& fileName) {
  return m_transfer->DownloadFile(url, folder, fileName);
}

int CPLObject::DownloadFile(const std::string& url, const std::wstring& folder, const std::wstring& fileName,
                            const std::string& identity) {
  return m_transfer->DownloadFile(url, folder, fileName, identity);
}

void CPLObject::CancelDownload() { m_transfer->CancelDownload(); }

int CPLObject::DownloadFile(const std::string& url, const std::wstring& folder, const std::wstring& fileName,
                            const std::string& identity, double lowSpeedLimit, int lowSpeedTime) {
  return m_transfer->DownloadFile(url, folder, fileName, identity, lowSpeedLimit, lowSpeedTime);
}

SessionValues CPLObject::GetSession() const {
  std::lock_guard<std::mutex> lock(m_sessionLock);
  return m_session;
}

void CPLObject::SetSession(const SessionValues& session) {
  std::lock_guard<std::mutex> lock(m_sessionLock);
  m_session = session;
}

void CPLObject::ClearUserToken() {
  std::lock_guard<std::mutex> lock(m_sessionLock);
  m_session.userToken.clear();
}

void* CPLObject::NewEasy(const std::string& url, long connectTimeout, long totalTimeout) {
  CURL* easy = curl_easy_init();
  curl_easy_setopt(easy, CURLOPT_SHARE, static_cast<CURLSH*>(m_share));
  curl_easy_setopt(easy, CURLOPT_DNS_CACHE_TIMEOUT, 300L);
  curl_easy_setopt(easy, CURLOPT_IPRESOLVE, (long)CURL_IPRESOLVE_V4);
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, connectTimeout);
  curl_easy_setopt(easy, CURLOPT_TIMEOUT, totalTimeout);
  // Certificates are checked: an answer in the service's name must come from the service.
  VerifyPeersOf(easy);
  curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 1L);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  return easy;
}

int CPLObject::Perform(void* handle, void* headers, std::string& response) {
  CURL* easy = static_cast<CURL*>(handle);
  response.clear();
  CallContext call{this, &response};
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &CPLObject::WriteResponse);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &call);
  if (!m_userAgent.empty()) curl_easy_setopt(easy, CURLOPT_USERAGENT, m_userAgent.c_str());
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, static_cast<curl_slist*>(headers));
  CURLcode code = curl_easy_perform(easy);
  long status = 0;
  if (code == CURLE_OK) curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
  curl_easy_cleanup(easy);
  if (code != CURLE_OK) return static_cast<int>(code);
  return status == 200 ? 0 : static_cast<int>(status);
}

int CPLObject::HttpGet(const std::string& url, long connectTimeout, long totalTimeout, std::string& response) {
  CURL* easy = static_cast<CURL*>(NewEasy(url, connectTimeout, totalTimeout));
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(easy, CURLOPT_POST, 0L);
  curl_easy_setopt(easy, CURLOPT_REFERER, kReferer);
  return Perform(easy, nullptr, response);
}

int CPLObject::HttpPostForm(const std::string& url, const std::string& form, const std::string& sign,
                            const std::string& tsign, long connectTimeout, long totalTimeout,
                            std::string& response) {
  CURL* easy = static_cast<CURL*>(NewEasy(url, connectTimeout, totalTimeout));
  curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE, static_cast<long>(form.size()));
  curl_easy_setopt(easy, CURLOPT_POSTFIELDS, form.c_str());
  curl_easy_setopt(easy, CURLOPT_POST, 1L);
  // An entry that ends at the colon asks libcurl to leave that header out.
  HeaderList headers;
  headers.Add("userToken:" + GetSession().userToken);
  headers.Add("platform:2");
  headers.Add("sign:" + sign);
  headers.Add("tsign:" + tsign);
  headers.Add("User-Agent:" + m_userAgent);
  headers.Add("deviceId:windows");
  return Perform(easy, headers.list, response);
}

int CPLObject::HttpPostJson(const std::string& url, const std::string& json, long connectTimeout,
                            long totalTimeout, std::string& response) {
  CURL* easy = static_cast<CURL*>(NewEasy(url, connectTimeout, totalTimeout));
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE, static_cast<long>(json.size()));
  curl_easy_setopt(easy, CURLOPT_POSTFIELDS, json.c_str());
  curl_easy_setopt(easy, CURLOPT_POST, 1L);
  HeaderList headers;
  headers.Add("Content-Type: application/json");
  return Perform(easy, headers.list, response);
}

namespace {

// Success-flag endpoints hand the body back whenever it is JSON.
int SuccessFlagCall(int transport, const std::string& body, std::string& response) {
  int result = SuccessFlagOfTransfer(transport, body);
  if (transport == 0 && result != kResultNotJson) response = body;
  return result;
}

}  // namespace

int CPLObject::CheckUpdate(const std::string& versionText, std::string& response) {
  SignPairs pairs = UpdateCheckSignPairs(versionText);
  std::string body;
  int transport = HttpPostForm(m_apiBase + kPathUpdateCheck, BuildUpdateCheckBody(versionText),
                               MakeSign(GetSession().signSecret, pairs), MakeTsign(pairs), kApiConnectTimeout,
                               kApiTotalTimeout, body);
  return SuccessFlagCall(transport, body, response);
}

int CPLObject::SendVerifyCode(const std::string& mobile, const std::string& type, int isTest,
                              std::string& response) {
  ClearUserToken();
  SignPairs pairs = SendCodeSignPairs(mobile, type, isTest != 0);
  std::string body;
  int transport = HttpPostForm(m_apiBase + kPathSendCode, BuildSendCodeBody(mobile, type, isTest != 0), "",
                               MakeTsign(pairs), kApiConnectTimeout, kApiTotalTimeout, body);
  return SuccessFlagCall(transport, body, response);
}

int CPLObject::LoginVerification(const std::string& mobile, const std::string& code, const std::string& postId,
                                 std::string& response) {
  ClearUserToken();
  SignPairs pairs = LoginSignPairs(mobile, code, postId);
  std::string body;
  int transport = HttpPostForm(m_apiBase + kPathLogin, BuildLoginBody(mobile, code, postId), "",
                               MakeTsign(pairs), kApiConnectTimeout, kApiTotalTimeout, body);
  int result = SuccessFlagCall(transport, body, response);
  if (result == 1) {
    Json::Value root;
    if (vorlix::ParseJsonText(body, root) && root.isObject()) {
      const Json::Value& data = root["data"];
      SessionValues next;
      next.userToken = DataText(data, "loginToken");
      next.signSecret = DataText(data, "signSecret");
      next.userId = vorlix::WideToCp936(vorlix::AnsiToWide(DataText(data, "userId")));
      SetSession(next);
    }
  }
  return result;
}

int CPLObject::GetGameList(std::string& response) {
  std::string body;
  int transport = HttpGet(m_apiBase + kPathGames, kApiConnectTimeout, kApiTotalTimeout, body);
  return SuccessFlagCall(transport, body, response);
}

int CPLObject::RegisterCloudVideo(const std::string& json) {
  SignPairs pairs = RegisterClipSignPairs(json);
  std::string body;
  int transport = HttpPostForm(m_apiBase + kPathRegisterClip, BuildRegisterClipBody(json),
                               MakeSign(GetSession().signSecret, pairs), MakeTsign(pairs), kApiConnectTimeout,
                               kApiTotalTimeout, body);
  return transport != 0 ? transport : ServiceCodeResult(body);
}

int CPLObject::ReportDeviceInfo(const std::string& cpu, const std::string& gpu, const std::string& os,
                                int memoryMiB, std::string& response) {
  return HttpPostJson(m_apiBase + kPathDeviceReport, BuildDeviceReportBody(cpu, gpu, os, memoryMiB),
                      kApiConnectTimeout, kApiTotalTimeout, response);
}

int CPLObject::ReportEvent(const std::string& versionText, std::int32_t timeStamp, const std::string& eventName) {
  SessionValues session = GetSession();
  EventIdentity who{session.userId, session.userToken, versionText, GetAdapterAddressText()};
  std::string body;
  int transport = HttpGet(m_logUrl + BuildEventQuery(who, eventName, timeStamp), kApiConnectTimeout,
                          kApiTotalTimeout, body);
  return transport != 0 ? transport : ServiceCodeResult(body);
}

CPLObject& GetPLObject() {
  static CPLObject object;
  return object;
}

}  // namespace plHttp
