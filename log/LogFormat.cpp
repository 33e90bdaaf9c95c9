#include "log/LogFormat.h"

#include <cstdio>

namespace qs {
namespace {
std::string Pad(int value, int width) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%0*d", width, value);
  return buf;
}
}  // namespace

std::string LogLevelPrefix(int level) {
  switch (level) {
    case llInformation: return "[Information] ";
    case llNotice: return "[Notice] ";
    case llWarning: return "[Warning] ";
    case llError: return "[Error] ";
    default: return {};
  }
}

std::string FormatLogTime(const TLocalTime& t, const std::string& timeSep) {
  return Pad(t.Hour, 2) + timeSep + Pad(t.Minute, 2) + timeSep + Pad(t.Second, 2) + "." + Pad(t.Millisecond, 3);
}

std::string FormatLogStamp(const TLocalTime& t, const std::string& dateSep, const std::string& timeSep) {
  return Pad(t.Year, 4) + dateSep + Pad(t.Month, 2) + dateSep + Pad(t.Day, 2) + " " + FormatLogTime(t, timeSep);
}

std::string LogFileName(const std::string& exeBaseName, const TLocalTime& date) {
  return exeBaseName + "_" + Pad(date.Year, 4) + Pad(date.Month, 2) + Pad(date.Day, 2) + ".log";
}

std::string ComposeLogLine(const std::string& timeText, int level, const std::string& text) {
  std::string line = timeText + " " + LogLevelPrefix(level) + text + "\r\n";
  if (size_t nul = line.find('\0'); nul != std::string::npos) line.resize(nul);
  return line;
}

}  // namespace qs
