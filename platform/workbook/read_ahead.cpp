#include "platform/workbook/read_ahead.hpp"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace vt::workbook {

ReadAhead::ReadAhead(Source source, std::size_t blocks)
    : source_(std::move(source)), ring_(std::max<std::size_t>(blocks, 1)) {}

ReadAhead::~ReadAhead() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  freedOne_.notify_one();
  if (worker_.joinable()) worker_.join();
}

void ReadAhead::start(std::size_t blockBytes) {
  blockBytes_ = blockBytes;
  for (Block& block : ring_) block.bytes = std::make_unique_for_overwrite<char[]>(blockBytes);
  // Only now: blocks that could not be had leave it unstarted, and a later read does not wait for
  // a worker that never ran.
  started_ = true;
  try {
    worker_ = std::thread([this] { run(); });
  } catch (const std::system_error&) {
    // Out of threads: read as if there were no read-ahead; nothing was called yet.
    direct_ = true;
    ring_.clear();
  }
}

void ReadAhead::run() {
  for (std::size_t tail = 0;; tail = (tail + 1) % ring_.size()) {
    {
      std::unique_lock lock(mutex_);
      // A full ring is let drain to half before this thread goes on: one wake-up for half a ring
      // instead of one per block (each costs both threads a switch).
      if (filled_ == ring_.size())
        freedOne_.wait(lock, [this] { return stop_ || filled_ <= ring_.size() / 2; });
      if (stop_) return;
    }
    // A slot that is not filled belongs to this thread alone until it is counted as filled.
    Block& block = ring_[tail];
    try {
      block.size = source_(block.bytes.get(), blockBytes_);
    } catch (...) {
      block.size = 0;
      block.failure = std::current_exception();
    }
    const bool last = block.size == 0;
    bool wasEmpty = false;
    {
      std::lock_guard lock(mutex_);
      wasEmpty = filled_++ == 0;
    }
    if (wasEmpty) filledOne_.notify_one();  // the consumer waits only on an empty ring
    if (last) return;
  }
}

std::size_t ReadAhead::read(char* buffer, std::size_t capacity) {
  if (capacity == 0) return 0;
  if (!started_) start(capacity);
  if (direct_) return source_(buffer, capacity);
  Block* block = nullptr;
  {
    std::unique_lock lock(mutex_);
    filledOne_.wait(lock, [this] { return filled_ > 0; });
    block = &ring_[head_];
  }
  // The end and a failure stay at the front: the worker has stopped after them.
  if (block->failure) std::rethrow_exception(block->failure);
  if (block->size == 0) return 0;
  const std::size_t n = std::min(capacity, block->size - offset_);
  std::memcpy(buffer, block->bytes.get() + offset_, n);
  offset_ += n;
  if (offset_ == block->size) {
    offset_ = 0;
    bool halfFree = false;
    {
      std::lock_guard lock(mutex_);
      head_ = (head_ + 1) % ring_.size();
      halfFree = --filled_ == ring_.size() / 2;
    }
    if (halfFree) freedOne_.notify_one();
  }
  return n;
}

}  // namespace vt::workbook
