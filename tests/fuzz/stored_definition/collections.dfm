object frmTeste: TfrmTeste
  Left = 10
  Caption = 'Teste '#231#227'o'
  Font.Style = [fsBold]
  Hint = 'linha um'#13#10 +
    'linha dois'
  Tags = (
    1
    -2.5
    'a')
  Items.Strings = (
    'um'
    'dois')
  OnShow = FormShow
  object edtCodigo: TEdit
    MaxLength = 4
    CharCase = ecUpperCase
  end
  inherited panMenu: TPanel
    Visible = False
  end
end
