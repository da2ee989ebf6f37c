// Palette registration of the component.
#include "quorvel/component/Quorvel.h"

#include "quorvel/vcl/ClassRegistry.h"

namespace Quorvel {

void Register() { Vcl::RegisterComponents("HVCtrl", {&TQuorvel::StaticClass()}); }

} // namespace Quorvel
