// The byte stream of the request/response calls: read and write at the current
// position, set size, whole size. Shared ownership stands for reference counting.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

namespace qs {

class IByteStream {
public:
  virtual ~IByteStream() = default;
  // Bytes read from the current position (fewer at the end); advances the position.
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  // Writes at the current position, growing the stream as needed; advances the position.
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  virtual void SetSize(int64_t size) = 0;
  // Whole size; -1 when the stream cannot tell.
  virtual int64_t Size() const = 0;
  virtual int64_t Position() const = 0;
  virtual void Seek(int64_t position) = 0;
};

using TStreamRef = std::shared_ptr<IByteStream>;

// An in-memory stream.
class TMemoryStream : public IByteStream {
public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::string bytes) : FData(std::move(bytes)) {}
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  void SetSize(int64_t size) override;
  int64_t Size() const override { return static_cast<int64_t>(FData.size()); }
  int64_t Position() const override { return FPosition; }
  void Seek(int64_t position) override;
  const std::string& Bytes() const { return FData; }

private:
  std::string FData;
  int64_t FPosition = 0;
};

}  // namespace qs
