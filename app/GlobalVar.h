// Process-wide objects that live outside any window.
#pragma once
#include <memory>

#include "log/Logger.h"

namespace qs {

// The one process-wide logger: made first thing at start-up, freed at the orderly shutdown.
extern std::unique_ptr<TLogger> GLogger;

}  // namespace qs
