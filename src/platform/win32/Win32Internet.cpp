#include "platform/win32/Win32Internet.h"

#include <windows.h>

#include <wininet.h>

#include "platform/win32/Handles.h"
#include "platform/win32/Utf.h"

namespace {

// Long enough for a slow network, short enough that a silent server does not look like a hang.
constexpr DWORD kTimeoutMs = 5000;

// Always from the server, never from or into a cache; no dialogs, cookies or log-on prompts;
// redirects come back to the caller, which follows only those that stay on HTTPS. Nothing
// here relaxes certificate checks.
constexpr DWORD kOpenFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                             INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES |
                             INTERNET_FLAG_NO_AUTH;

void SetTimeouts(HINTERNET handle) {
  for (const DWORD option :
       {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT,
        INTERNET_OPTION_DATA_SEND_TIMEOUT, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT}) {
    DWORD value = kTimeoutMs;
    ::InternetSetOptionW(handle, option, &value, sizeof(value));
  }
}

class Win32InternetFile final : public InternetFile {
 public:
  Win32InternetFile(std::unique_ptr<GroupedInternetHandle> connection, std::unique_ptr<GroupedInternetHandle> request)
      : connection_(std::move(connection)), request_(std::move(request)) {}

  int Status() override {
    DWORD status = 0;
    DWORD size = sizeof(status);
    const HINTERNET request = request_->Get();
    if (request == nullptr) return 0;
    if (!::HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr)) {
      return 0;
    }
    return static_cast<int>(status);
  }

  std::string Location() override {
    const HINTERNET request = request_->Get();
    if (request == nullptr) return {};
    std::wstring location(512, L'\0');
    DWORD size = static_cast<DWORD>(location.size() * sizeof(wchar_t));
    if (!::HttpQueryInfoW(request, HTTP_QUERY_LOCATION, location.data(), &size, nullptr)) {
      if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
      location.resize(size / sizeof(wchar_t) + 1);
      if (!::HttpQueryInfoW(request, HTTP_QUERY_LOCATION, location.data(), &size, nullptr)) return {};
    }
    location.resize(size / sizeof(wchar_t));
    return Utf8FromWide(location);
  }

  std::optional<size_t> Read(char* buffer, size_t size) override {
    const HINTERNET request = request_->Get();
    DWORD read = 0;
    if (request == nullptr || !::InternetReadFile(request, buffer, static_cast<DWORD>(size), &read))
      return std::nullopt;
    return read;
  }

 private:
  // Declared first, so that it is closed after the request.
  std::unique_ptr<GroupedInternetHandle> connection_;
  std::unique_ptr<GroupedInternetHandle> request_;
};

class Win32InternetSession final : public InternetSession {
 public:
  Win32InternetSession(std::shared_ptr<InternetHandleGroup> group, HINTERNET session)
      : group_(std::move(group)), session_(group_, session) {}

  // A connection and a request of their own rather than InternetOpenUrlW: only then do the
  // send and receive timeouts reach the request everywhere (Wine drops the session's).
  std::unique_ptr<InternetFile> OpenUrl(const std::string& url) override {
    const std::wstring wide = WideFromUtf8(url);
    URL_COMPONENTSW parts{};
    parts.dwStructSize = sizeof(parts);
    parts.dwHostNameLength = 1;
    parts.dwUrlPathLength = 1;
    parts.dwExtraInfoLength = 1;
    if (!::InternetCrackUrlW(wide.c_str(), 0, 0, &parts) || parts.nScheme != INTERNET_SCHEME_HTTPS) return nullptr;
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
    if (parts.lpszExtraInfo != nullptr) path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (path.empty()) path = L"/";

    const HINTERNET session = session_.Get();
    if (session == nullptr) return nullptr;
    auto connection = std::make_unique<GroupedInternetHandle>(
        group_, ::InternetConnectW(session, host.c_str(), parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!*connection) return nullptr;
    SetTimeouts(connection->Get());
    auto request = std::make_unique<GroupedInternetHandle>(
        group_, ::HttpOpenRequestW(connection->Get(), L"GET", path.c_str(), nullptr, nullptr, nullptr,
                                   kOpenFlags | INTERNET_FLAG_SECURE, 0));
    if (!*request) return nullptr;
    SetTimeouts(request->Get());
    // The wait that no timeout bounds under Wine: a server that never finishes the handshake.
    // Abort ends it where WinInet lets it; the update check's deadline does not wait for that.
    const HINTERNET sending = request->Get();
    if (sending == nullptr || !::HttpSendRequestW(sending, nullptr, 0, nullptr, 0)) return nullptr;
    return std::make_unique<Win32InternetFile>(std::move(connection), std::move(request));
  }

  void Abort() override { group_->Abort(); }

 private:
  std::shared_ptr<InternetHandleGroup> group_;
  GroupedInternetHandle session_;
};

}  // namespace

std::unique_ptr<InternetSession> Win32Internet::OpenSession(const std::string& agent) {
  const std::wstring wide = WideFromUtf8(agent);
  const HINTERNET session = ::InternetOpenW(wide.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
  if (session == nullptr) return nullptr;
  SetTimeouts(session);
  DWORD retries = 1;
  ::InternetSetOptionW(session, INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof(retries));
  return std::make_unique<Win32InternetSession>(std::make_shared<InternetHandleGroup>(), session);
}

std::string Win32Internet::AnsiToUtf8(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (size <= 0) return {};
  std::wstring wide(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), size);
  return Utf8FromWide(wide);
}
