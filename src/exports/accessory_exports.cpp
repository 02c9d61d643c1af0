// Accessory exports: the scales on their own serial ports.
#include "accessories/scales/scale_reading.h"
#include "exports/boundary.h"
#include "quelfi32.h"

using quelfi::exports::enter;
using quelfi::protocol::Road;

extern "C" {

QUELFI_API int QUELFI_CALL Quelmar_FI_InfoBalanca(const char* porta, int modelo, char* peso,
                                                  char* precoKilo, char* total) {
    return enter([=](const Road& road) {
        return quelfi::accessories::readScale(road, porta, modelo, peso, precoKilo, total);
    });
}

}  // extern "C"
