// What the TEF exchange says to the operator, and how: message boxes without owner or caption, an
// exclamation for errors, yes/no with the same icon for questions, the information icon for the
// manager's own message; the manager's message during a voucher in a window that goes by itself.
// Texts are Windows-1252.
#pragma once

#include <string>
#include <string_view>

namespace quelfi::tef {

namespace message {

inline constexpr std::string_view kRequestNotCreated =
    "N\xE3o foi poss\xEDvel criar o arquivo de envio.\nCaso essa menssagem ocorra novamente "
    "verifique o arquivo 'QuelFI32.ini' no diret\xF3rio system ou system32 do windows.";
// The activity probe's variant asks the operator to try again.
inline constexpr std::string_view kProbeNotCreated =
    "N\xE3o foi poss\xEDvel criar o arquivo de envio.\nTente novamente.\nCaso essa menssagem "
    "ocorra novamente verifique o arquivo 'QuelFI32.ini' no diret\xF3rio system ou system32 do "
    "windows.";
inline constexpr std::string_view kManagerNotActive = "O gerenciador TEF n\xE3o est\xE1 ativo.";
inline constexpr std::string_view kAcknowledgementMismatch =
    "N\xFAmero de Identifica\xE7\xE3o do arquivo n\xE3o bate com o N\xFAmero de "
    "Identifica\xE7\xE3o "
    "passado.";
inline constexpr std::string_view kNoAcknowledgement =
    "Verifique se o TEF est\xE1 ativo.\nA opera\xE7\xE3o n\xE3o poder\xE1 ser conclu\xED"
    "da.";
inline constexpr std::string_view kNoResponse =
    "Arquivo de resposta n\xE3o foi encontrado.\n\nPoss\xEDveis Causas:\n   1) Linha ocupada.\n"
    "   2) Demora na resposta da operadora.\n   3) Modem n\xE3o Comunica.\n   4) Cabo do modem "
    "mal conectado.\n   5) Cabo 'RJ' n\xE3o est\xE1 conectado \xE0 linha telef\xF4nica.\n   6) "
    "Tentativa de impress\xE3o sem que haja algum tipo de opera\xE7\xE3o.\n\nDeseja tentar "
    "novamente?";
inline constexpr std::string_view kResponseMismatch =
    "N\xFAmero de Identifica\xE7\xE3o n\xE3o bate com o do Arquivo .001";
inline constexpr std::string_view kNoIdentification =
    "O aplicativo tem que gerar o n\xFAmero de Identifica\xE7\xE3o.";
inline constexpr std::string_view kNoChequeIdentification =
    "O aplicativo tem que gerar o n\xFAmero de Identifica\xE7\xE3o!!!";
inline constexpr std::string_view kNoAmount =
    "O par\xE2metro 'ValorCompra' tem que ser passado e diferente de 0 (zero).";
inline constexpr std::string_view kAmountTooLong =
    "Valor da compra ultrapassa o limite permitido (12 caracteres).";
inline constexpr std::string_view kPrinterNeeded =
    "Para continuar com essa opera\xE7\xE3o \xE9 necess\xE1rio que a impressora esteja ligada.\nSe "
    "deseja continuar verifique se a impressora est\xE1 Ligada e/ou Conectada .";
inline constexpr std::string_view kPrinterNotAnswering =
    "A impressora n\xE3o est\xE1 respondendo. Certifique-se de que ela esteja ligada e seu cabo "
    "devidamente conectado.";
inline constexpr std::string_view kPrintAgain =
    "Impressora n\xE3o responde.\r\nTentar imprimir novamente?";

}  // namespace message

// An error: exclamation icon, OK.
void tellError(std::string_view text);
// A yes/no question with the exclamation icon: true for yes.
bool askYes(std::string_view text);
// The manager's message, or the library's account of a transaction: information icon.
void tellInformation(std::string_view text);
// The manager's message while a voucher is on its way: a window that goes by itself.
void showBriefly(const std::string& text);

}  // namespace quelfi::tef
