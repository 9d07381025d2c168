#include "addin/md_System.hpp"

namespace velmora::addin {

void md_System::StartUp() {}

}  // namespace velmora::addin
