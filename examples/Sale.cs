// A sale at the till: open a coupon, sell two items, pay in cash, read the coupon's number.
// The library finds the printer's port in QuelFI32.ini (QuelFI32.ini beside this file shows one).
//
// Mono:   mcs Sale.cs QuelFI32.cs && mono Sale.exe
// Visual Studio: add QuelFI32.cs to the project (a 32-bit program: the DLL is 32-bit)
using System;
using System.Text;

public static class Sale
{
    static bool Done(string step, int code)
    {
        if (code != 1) Console.Error.WriteLine(step + ": " + code);
        return code == 1;
    }

    public static int Main()
    {
        var coupon = new StringBuilder(7); // Quelmar_FI_NumeroCupom writes 6 digits and a zero
        bool sold = Done("AbrePortaSerial", QuelFI32.Quelmar_FI_AbrePortaSerial())
            && Done("AbreCupom", QuelFI32.Quelmar_FI_AbreCupom(""))
            && Done("VendeItem", QuelFI32.Quelmar_FI_VendeItem("7891000100103", "ARROZ TIPO 1 5KG",
                "18,00", "I", "2", 2, "24,90", "$", "0,00"))
            && Done("VendeItem", QuelFI32.Quelmar_FI_VendeItem("7896004000855",
                "FEIJAO CARIOCA 1KG", "07,00", "I", "3", 2, "8,50", "%", "10,00"))
            && Done("IniciaFechamentoCupom", QuelFI32.Quelmar_FI_IniciaFechamentoCupom("D", "$", "0,00"))
            && Done("EfetuaFormaPagamento", QuelFI32.Quelmar_FI_EfetuaFormaPagamento("Dinheiro", "100,00"))
            && Done("TerminaFechamentoCupom",
                QuelFI32.Quelmar_FI_TerminaFechamentoCupom("Obrigado, volte sempre!"))
            && Done("NumeroCupom", QuelFI32.Quelmar_FI_NumeroCupom(coupon));
        if (sold) Console.WriteLine("Cupom " + coupon);
        QuelFI32.Quelmar_FI_FechaPortaSerial();
        return sold ? 0 : 1;
    }
}
