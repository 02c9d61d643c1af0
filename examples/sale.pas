{ A sale at the till: open a coupon, sell two items, pay in cash, read the coupon's number.
  The library finds the printer's port in QuelFI32.ini (QuelFI32.ini beside this file shows one).

  Free Pascal:  fpc -Mdelphi -Fu<folder of QuelFI32.pas> sale.pas
  Delphi:       add QuelFI32.pas to the project }
program Sale;

{$IFDEF FPC}{$MODE DELPHI}{$ENDIF}
{$IFDEF MSWINDOWS}{$APPTYPE CONSOLE}{$ENDIF}

uses
  QuelFI32;

function Done(const Step: string; Code: Integer): Boolean;
begin
  Result := Code = 1;
  if not Result then
    WriteLn(ErrOutput, Step, ': ', Code);
end;

var
  Coupon: array[0..6] of AnsiChar; { Quelmar_FI_NumeroCupom writes 6 digits and a zero }
  Sold: Boolean;
begin
  FillChar(Coupon, SizeOf(Coupon), 0);
  Sold := Done('AbrePortaSerial', Quelmar_FI_AbrePortaSerial)
    and Done('AbreCupom', Quelmar_FI_AbreCupom(''))
    and Done('VendeItem', Quelmar_FI_VendeItem('7891000100103', 'ARROZ TIPO 1 5KG', '18,00', 'I',
      '2', 2, '24,90', '$', '0,00'))
    and Done('VendeItem', Quelmar_FI_VendeItem('7896004000855', 'FEIJAO CARIOCA 1KG', '07,00',
      'I', '3', 2, '8,50', '%', '10,00'))
    and Done('IniciaFechamentoCupom', Quelmar_FI_IniciaFechamentoCupom('D', '$', '0,00'))
    and Done('EfetuaFormaPagamento', Quelmar_FI_EfetuaFormaPagamento('Dinheiro', '100,00'))
    and Done('TerminaFechamentoCupom', Quelmar_FI_TerminaFechamentoCupom('Obrigado, volte sempre!'))
    and Done('NumeroCupom', Quelmar_FI_NumeroCupom(Coupon));
  if Sold then
    WriteLn('Cupom ', PAnsiChar(@Coupon[0]));
  Quelmar_FI_FechaPortaSerial;
  if not Sold then
    Halt(1);
end.
