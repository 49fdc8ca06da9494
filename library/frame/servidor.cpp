// The library's classes as served by identifier, and its exported entry points.

#include "library/frame/clases_maestras.hpp"
#include "library/frame/cls_validar_informacion.hpp"
#include "library/frame/thread_context.hpp"
#include "platform/automation/server.hpp"

namespace valtrone {
namespace {

vt::automation::Server& valtroneServer() {
  static vt::automation::Server server("Valtrone", "Orsinel Vandrel - Anexos SRI", &ensureThreadStarted,
                                             &settingsInForce);
  static const bool classes = (server.add<CLSProveedores>()
                                   .add<CLSEstablecimientos>()
                                   .add<CLSDctosAutorizados>()
                                   .add<CLSImprentas>()
                                   .add<CLSDctosEmpresas>()
                                   .add<CLSValidarInformacion>()
                                   .add<CLSVarios>(),
                               true);
  (void)classes;
  return server;
}

}  // namespace
}  // namespace valtrone

VT_AUTOMATION_SERVER(valtrone::valtroneServer)
