// The log's text formats: file name, line layout, level prefixes. Pure code.
#pragma once
#include <string>

namespace qs {

enum : int { llInformation = 0, llNotice = 1, llWarning = 2, llError = 3 };

struct TLocalTime {
  int Year, Month, Day, Hour, Minute, Second, Millisecond;
};

// "[Information] " and so on; empty for levels 4 and up (and for negative levels).
std::string LogLevelPrefix(int level);
// "hh:nn:ss.zzz" with the locale's time separator.
std::string FormatLogTime(const TLocalTime& t, const std::string& timeSep);
// "yyyy/mm/dd hh:nn:ss.zzz" with the locale's date and time separators (container lines).
std::string FormatLogStamp(const TLocalTime& t, const std::string& dateSep, const std::string& timeSep);
// ExeBaseName + "_" + "yyyymmdd" + ".log".
std::string LogFileName(const std::string& exeBaseName, const TLocalTime& date);
// Time, one space, the level's prefix, the text, CR LF; cut at the text's first NUL.
std::string ComposeLogLine(const std::string& timeText, int level, const std::string& text);

}  // namespace qs
