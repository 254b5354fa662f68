object frmProbe: TfrmProbe
  Caption = 'Sonda'
  OnShow = FormShow
  object btnGo: TSpeedButton
    Left = 8
    Top = 8
    Caption = 'Ir'
    OnClick = btnGoClick
  end
end
