// What the download tests share: a recorder of notifications, the shared scripted
// server of the test process, and file helpers.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Text.h"
#include "http/HttpClientImpl.h"
#include "tests/http/TestServers.h"

namespace qs::test {

struct TRecorder {
  std::vector<THttpDownloadInfo> Infos;
  std::function<void(const THttpDownloadInfo&, bool&)> Hook;

  TDownloadProgressEvent Event() {
    return [this](const THttpDownloadInfo& info, bool& cancel) {
      Infos.push_back(info);
      if (Hook) Hook(info, cancel);
    };
  }
  // The states in order, one letter each: S start, P progress, E end, F fail, X error.
  std::string States() const {
    std::string s;
    for (auto& i : Infos) s += "SPEFX"[i.State];
    return s;
  }
  // Progress notifications collapsed: "SPE" for start, any number of progress, end.
  std::string Shape() const {
    std::string s;
    for (char c : States())
      if (c != 'P' || s.empty() || s.back() != 'P') s += c;
    return s;
  }
  const THttpDownloadInfo* Find(THttpDownloadState state) const {
    for (auto& i : Infos)
      if (i.State == state) return &i;
    return nullptr;
  }
  std::wstring FailText() const {
    auto f = Find(dsFail);
    return f ? f->Message : L"";
  }
};

// One scripted server per test process, stopped when the process ends.
inline TScriptedServer& Server() {
  static TScriptedServer server;
  return server;
}

// "" when equal, else where they first differ (the bytes themselves would flood the log).
inline std::string Mismatch(const std::string& got, const std::string& want) {
  if (got == want) return "";
  size_t i = 0;
  while (i < got.size() && i < want.size() && got[i] == want[i]) ++i;
  return "sizes " + std::to_string(got.size()) + " and " + std::to_string(want.size()) + ", first difference at " +
         std::to_string(i);
}

inline bool StartsWith(const std::wstring& s, const std::wstring& prefix) { return s.rfind(prefix, 0) == 0; }

inline std::wstring ReadProfileValue(const std::wstring& file, const wchar_t* key) {
  wchar_t buf[256] = {};
  ::GetPrivateProfileStringW(L"server", key, L"<none>", buf, 256, file.c_str());
  return buf;
}

}  // namespace qs::test
