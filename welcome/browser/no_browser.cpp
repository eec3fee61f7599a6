#include "welcome/browser/browser_module.h"

namespace pexor::resources {

std::span<const std::uint8_t> browserModuleImage() {
    return {};
}

}  // namespace pexor::resources
