/* A sale at the till: open a coupon, sell two items, pay in cash, read the coupon's number.
 * The library finds the printer's port in QuelFI32.ini (QuelFI32.ini beside this file shows one).
 *
 * Linux:  cc sale.c $(pkg-config --cflags --libs quelfi32) -o sale
 *         or CMake with find_package(QuelFI32), as CMakeLists.txt beside this file does
 * MinGW:  gcc sale.c -I. libQuelFI32.dll.a -o sale.exe
 * MSVC:   cl sale.c QuelFI32.lib
 */
#include <stdio.h>

#include "quelfi32.h"

static int done(const char* step, int code) {
    if (code != 1) fprintf(stderr, "%s: %d\n", step, code);
    return code == 1;
}

int main(void) {
    char coupon[7] = ""; /* Quelmar_FI_NumeroCupom writes 6 digits and a zero */
    const int sold =
        done("AbrePortaSerial", Quelmar_FI_AbrePortaSerial()) &&
        done("AbreCupom", Quelmar_FI_AbreCupom("")) &&
        done("VendeItem", Quelmar_FI_VendeItem("7891000100103", "ARROZ TIPO 1 5KG", "18,00", "I",
                                                "2", 2, "24,90", "$", "0,00")) &&
        done("VendeItem", Quelmar_FI_VendeItem("7896004000855", "FEIJAO CARIOCA 1KG", "07,00",
                                                "I", "3", 2, "8,50", "%", "10,00")) &&
        done("IniciaFechamentoCupom", Quelmar_FI_IniciaFechamentoCupom("D", "$", "0,00")) &&
        done("EfetuaFormaPagamento", Quelmar_FI_EfetuaFormaPagamento("Dinheiro", "100,00")) &&
        done("TerminaFechamentoCupom", Quelmar_FI_TerminaFechamentoCupom("Obrigado, volte sempre!")) &&
        done("NumeroCupom", Quelmar_FI_NumeroCupom(coupon));
    if (sold) printf("Cupom %s\n", coupon);
    Quelmar_FI_FechaPortaSerial();
    return sold ? 0 : 1;
}
