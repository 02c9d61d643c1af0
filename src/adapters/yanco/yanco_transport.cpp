#include "adapters/yanco/yanco_transport.h"

namespace quelfi::yanco {

int sendYancoCommand(const protocol::Road&, const YancoCommand&) {
    return 0;
}

int closeXOrZReport() {
    return -1;
}

}  // namespace quelfi::yanco
