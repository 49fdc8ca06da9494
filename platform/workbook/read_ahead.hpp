#pragma once
// A reader that runs ahead of its consumer on a second thread: the source is called in blocks of
// the size the consumer's first read asks for, a few blocks at most ahead, and each block is handed
// over in order with what its call returned or raised. A consumer that keeps asking for the same
// size sees the calls it would have made itself: the same bytes and the same failure after them.

#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace vt::workbook {

class ReadAhead {
 public:
  // Fills the buffer with up to `capacity` bytes, 0 at the end; may raise.
  using Source = std::function<std::size_t(char* buffer, std::size_t capacity)>;

  ReadAhead(Source source, std::size_t blocks);
  // Stops the source after the call in progress, if any; the source is never called afterwards.
  ~ReadAhead();
  ReadAhead(const ReadAhead&) = delete;
  ReadAhead& operator=(const ReadAhead&) = delete;

  // Once the end or a failure came, every later read returns 0 or raises that failure again.
  std::size_t read(char* buffer, std::size_t capacity);

 private:
  struct Block {
    std::unique_ptr<char[]> bytes;
    std::size_t size = 0;
    std::exception_ptr failure;
  };
  void start(std::size_t blockBytes);
  void run();

  Source source_;
  std::size_t blockBytes_ = 0;
  std::vector<Block> ring_;
  bool started_ = false;
  bool direct_ = false;     // no second thread could be had: the consumer calls the source itself
  std::size_t offset_ = 0;  // of the front block, already handed out (consumer's own)

  std::mutex mutex_;
  std::condition_variable filledOne_, freedOne_;
  std::size_t head_ = 0, filled_ = 0;  // under mutex_
  bool stop_ = false;                  // under mutex_
  std::thread worker_;
};

}  // namespace vt::workbook
