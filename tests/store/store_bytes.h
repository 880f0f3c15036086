#pragma once

// Builds store bytes field by field, so tests can make stores of any version or damage.

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tarsel::testing {

class StoreBytes {
 public:
  StoreBytes& Int(int32_t value) {
    char bytes[4];
    for (int i = 0; i < 4; ++i)
      bytes[i] = static_cast<char>((static_cast<uint32_t>(value) >> (8 * i)) & 0xff);
    data_.append(bytes, 4);
    return *this;
  }
  StoreBytes& Bool(bool value) {
    data_.push_back(value ? 1 : 0);
    return *this;
  }
  StoreBytes& Str(const std::string& value) {
    Int(static_cast<int32_t>(value.size()));
    data_ += value;
    return *this;
  }
  StoreBytes& Begin() {
    open_.push_back(data_.size());
    Int(static_cast<int32_t>(data_.size())).Int(0);
    return *this;
  }
  StoreBytes& End() {
    const size_t start = open_.back();
    open_.pop_back();
    const auto length = static_cast<int32_t>(data_.size() - start);
    for (int i = 0; i < 4; ++i)
      data_[start + 4 + i] = static_cast<char>((length >> (8 * i)) & 0xff);
    return *this;
  }
  StoreBytes& Raw(const std::string& bytes) {
    data_ += bytes;
    return *this;
  }
  const std::string& data() const { return data_; }
  size_t size() const { return data_.size(); }

 private:
  std::string data_;
  std::vector<size_t> open_;
};

}  // namespace tarsel::testing
