// Palette registration of the component.
#include "component/Quorvel.h"

#include "platform/vcl/ClassRegistry.h"

namespace Quorvel {

void Register() { Vcl::RegisterComponents("HVCtrl", {&TQuorvel::StaticClass()}); }

} // namespace Quorvel
