// The servers of the engine's tests, started by the test process itself on a free
// 127.0.0.1 port: our scriptable server (tests/fixtures/scripted_server.py) and a private
// nginx (tests/fixtures/nginx_serve.sh). Both are Linux processes, started through Wine
// (which runs a Unix executable given by its Unix path); each writes "PORT PID" to a file
// once it accepts, and is stopped by that process id.
#pragma once
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cctype>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "base/Text.h"
#include "tests/support/WinTestUtil.h"

namespace qs::test {

inline std::wstring WinPathOfUnix(const std::string& unixPath) {
  std::wstring p = L"Z:" + Utf8ToWide(unixPath);
  for (auto& c : p)
    if (c == L'/') c = L'\\';
  return p;
}

// A scratch folder under /tmp, known by both its Unix and its Windows path.
class TUnixScratch {
public:
  TUnixScratch() {
    static int counter = 0;
    FUnix = "/tmp/qs-http-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(::GetTickCount64()) +
            "-" + std::to_string(++counter);
    ForceDirectories(WinPathOfUnix(FUnix));
  }
  ~TUnixScratch() { TScratchDir::RemoveTree(WinPathOfUnix(FUnix) + L"\\"); }
  const std::string& Unix() const { return FUnix; }
  std::wstring Win(const std::string& rel = "") const { return WinPathOfUnix(rel.empty() ? FUnix : FUnix + "/" + rel); }

private:
  std::string FUnix;
};

// Starts a Unix command line; Wine gives no handle to wait on, so it is fire and forget.
inline bool StartUnix(const std::wstring& commandLine) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring cmd = commandLine;
  if (!::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  if (pi.hThread) ::CloseHandle(pi.hThread);
  if (pi.hProcess) ::CloseHandle(pi.hProcess);
  return true;
}

struct THttpAnswer {
  int Status = 0;
  std::string Headers, Body;
};

// A plain HTTP/1.0 GET over a socket, independent of the client under test.
inline THttpAnswer RawGet(uint16_t port, const std::string& target) {
  THttpAnswer answer;
  WSADATA wsa;
  ::WSAStartup(MAKEWORD(2, 2), &wsa);
  SOCKET s = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0) {
    std::string req = "GET " + target + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
    ::send(s, req.data(), static_cast<int>(req.size()), 0);
    std::string all;
    char buf[8192];
    int n;
    while ((n = ::recv(s, buf, sizeof buf, 0)) > 0) all.append(buf, static_cast<size_t>(n));
    size_t split = all.find("\r\n\r\n");
    if (split != std::string::npos) {
      answer.Headers = all.substr(0, split);
      answer.Body = all.substr(split + 4);
      if (answer.Headers.size() > 12) answer.Status = std::atoi(answer.Headers.c_str() + 9);
    }
  }
  ::closesocket(s);
  ::WSACleanup();
  return answer;
}

// A server process that reports "PORT PID" through a file.
class TUnixServer {
public:
  bool Running() const { return FPort != 0; }
  uint16_t Port() const { return FPort; }
  std::wstring Url(const std::string& target) const {
    return L"http://127.0.0.1:" + std::to_wstring(FPort) + Utf8ToWide(target);
  }
  const TUnixScratch& Dir() const { return FDir; }

protected:
  // Starts the command and waits for the port file.
  void Start(const std::wstring& commandLine, const std::string& portFile) {
    if (!StartUnix(commandLine)) return;
    std::wstring win = WinPathOfUnix(portFile);
    for (int i = 0; i < 300 && FPort == 0; ++i) {
      std::istringstream in(ReadFileBytes(win));
      unsigned port = 0;
      if (in >> port >> FPid) FPort = static_cast<uint16_t>(port);
      else ::Sleep(50);
    }
  }
  void Stop() {
    if (FPid) StartUnix(L"/bin/kill " + std::to_wstring(FPid));
    FPid = 0;
    FPort = 0;
  }
  TUnixScratch FDir;
  uint16_t FPort = 0;
  unsigned long FPid = 0;
};

class TScriptedServer : public TUnixServer {
public:
  TScriptedServer() {
    std::string portFile = FDir.Unix() + "/port";
    Start(L"/usr/bin/python3 " + Utf8ToWide(QS_FIXTURES) + L"/scripted_server.py --idle-exit 120 --port-file " +
              Utf8ToWide(portFile),
          portFile);
  }
  ~TScriptedServer() {
    if (Running()) RawGet(FPort, "/_quit");
    Stop();
  }

  struct TLogged {
    std::string Method, Range, BodyHex, HeaderNames;
  };
  // Every request the server saw for key, in order.
  std::vector<TLogged> Log(const std::string& key) const {
    std::vector<TLogged> out;
    std::string encoded;
    for (unsigned char c : key) {
      static const char kHex[] = "0123456789ABCDEF";
      if (std::isalnum(c) || c == '-' || c == '_' || c == '.') encoded += static_cast<char>(c);
      else encoded += std::string("%") + kHex[c >> 4] + kHex[c & 15];
    }
    std::istringstream in(RawGet(FPort, "/_log/" + encoded).Body);
    std::string line;
    while (std::getline(in, line)) {
      TLogged r;
      std::istringstream fields(line);
      std::getline(fields, r.Method, '\t');
      std::getline(fields, r.Range, '\t');
      std::getline(fields, r.BodyHex, '\t');
      std::getline(fields, r.HeaderNames, '\t');
      out.push_back(r);
    }
    return out;
  }
};

class TNginxServer : public TUnixServer {
public:
  TNginxServer() {
    std::string portFile = FDir.Unix() + "/port";
    Start(L"/bin/bash " + Utf8ToWide(QS_FIXTURES) + L"/nginx_serve.sh " + Utf8ToWide(FDir.Unix()) + L" " +
              Utf8ToWide(portFile),
          portFile);
  }
  ~TNginxServer() { Stop(); }
  // A file under the served root, by its path in the URL (unencoded, UTF-8).
  std::wstring ServedFile(const std::string& urlPath) const { return FDir.Win("www" + urlPath); }
  std::string AccessLog() const { return ReadFileBytes(FDir.Win("access.log")); }
};

// The scripted server's generated body; see scripted_server.py.
inline std::string Pattern(size_t size, int seed = 0) {
  std::string out(size, '\0');
  for (size_t i = 0; i < size; ++i)
    out[i] = static_cast<char>(((i * 7) ^ ((i >> 8) * 13) ^ ((i >> 16) * 29) ^ static_cast<size_t>(seed)) & 0xFF);
  return out;
}

}  // namespace qs::test
