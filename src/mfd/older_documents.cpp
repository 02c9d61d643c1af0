#include "mfd/older_documents.h"

#include "protocol/call.h"
#include "protocol/frame.h"

namespace quelfi::mfd {

int olderAuthentication(const protocol::Road& road) {
    const protocol::Call call(road, protocol::exportRow("Quelmar_FI_AutenticacaoMFD"),
                              "Quelmar_FI_Autenticacao", core::Header::Always);
    protocol::CommandSpec spec;
    spec.command = protocol::prefixed(std::string(1, '\x10'));
    return call.run(spec);
}

}  // namespace quelfi::mfd
