#pragma once

#include <sstream>
#include <string>

namespace files {

// The whitespace-separated numbers of a player file, taken in file order. The first value
// that does not parse (a word, a number too large for its type) or lies outside its range
// ends the reading: that field and every later one keep what they held, as if the file
// had stopped there.
class FieldReader {
  public:
    explicit FieldReader(const std::string& text) : in_(text) {}

    bool read(int& field, int lo, int hi);
    // A finite real within lo..hi.
    bool read(float& field, float lo, float hi);
    // A finite real, brought into lo..hi.
    bool readClamped(float& field, float lo, float hi);

    // Ends the reading as a bad value would.
    void stop() { ok_ = false; }
    bool ok() const { return ok_; }

  private:
    std::istringstream in_;
    bool ok_ = true;
};

} // namespace files
