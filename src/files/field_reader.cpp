#include "files/field_reader.hpp"

#include <algorithm>
#include <cmath>

namespace files {

bool FieldReader::read(int& field, int lo, int hi) {
    int value = 0;
    // A number beyond the type's range fails the extraction, which stores the type's
    // limit in `value`: it never reaches the field.
    if (!ok_ || !(in_ >> value) || value < lo || value > hi) {
        ok_ = false;
        return false;
    }
    field = value;
    return true;
}

bool FieldReader::read(float& field, float lo, float hi) {
    float value = 0;
    if (!ok_ || !(in_ >> value) || !std::isfinite(value) || value < lo || value > hi) {
        ok_ = false;
        return false;
    }
    field = value;
    return true;
}

bool FieldReader::readClamped(float& field, float lo, float hi) {
    float value = 0;
    if (!ok_ || !(in_ >> value) || !std::isfinite(value)) {
        ok_ = false;
        return false;
    }
    field = std::clamp(value, lo, hi);
    return true;
}

} // namespace files
