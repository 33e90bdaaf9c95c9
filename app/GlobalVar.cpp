#include "app/GlobalVar.h"

namespace qs {
std::unique_ptr<TLogger> GLogger;
}
