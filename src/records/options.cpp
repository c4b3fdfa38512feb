#include "records/options.hpp"

namespace records {

OptionsRecord Options;

} // namespace records
