// The program's exception type: a message in UTF-16, for the few places that raise
// (constructors that cannot work, the logger's file errors). Caught at every callback
// boundary and reported there.
#pragma once
#include <exception>
#include <string>

namespace qs {

class EQsError : public std::exception {
public:
  explicit EQsError(std::wstring message) : FMessage(std::move(message)) {}
  const std::wstring& Message() const noexcept { return FMessage; }
  const char* what() const noexcept override { return "EQsError"; }

private:
  std::wstring FMessage;
};

}  // namespace qs

namespace qs {
// The message of any exception as wide text.
std::wstring ExceptionText(const std::exception& e);
}  // namespace qs
