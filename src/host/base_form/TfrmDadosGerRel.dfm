object frmDadosGerRel: TfrmDadosGerRel
  Left = 200
  Top = 150
  Width = 514
  Height = 338
  Caption = 'Relatório'
  BorderStyle = bsSizeable
  OnActivate = FormActivate
  OnClose = FormClose
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 13
  object grbDadosRel: TGroupBox
    Left = 4
    Top = 0
    Width = 498
    Height = 270
    TabOrder = 0
    object panRelat: TPanel
      Left = 2
      Top = 10
      Width = 494
      Height = 32
      BevelOuter = bvNone
      TabOrder = 0
      object cbbReportNames: TComboBox
        Left = 4
        Top = 5
        Width = 400
        Height = 21
        Style = csDropDownList
        TabOrder = 0
      end
      object lblCodTela: TLabel
        Left = 438
        Top = 9
        Width = 30
        Height = 13
        Caption = 'TELA'
      end
    end
    object bvlSeparator: TBevel
      Left = 2
      Top = 43
      Width = 494
      Height = 2
      Shape = bsTopLine
    end
  end
  object panMenu: TPanel
    Left = 4
    Top = 274
    Width = 498
    Height = 33
    BevelOuter = bvLowered
    TabOrder = 1
    object sbtPreview: TSpeedButton
      Left = 4
      Top = 4
      Width = 75
      Height = 25
      Caption = 'Visualizar'
      OnClick = sbtPreviewClick
    end
    object sbtPrint: TSpeedButton
      Left = 81
      Top = 4
      Width = 75
      Height = 25
      Caption = 'Imprimir'
      OnClick = sbtPrintClick
    end
    object sbtSalvarComo: TSpeedButton
      Left = 158
      Top = 4
      Width = 75
      Height = 25
      Caption = 'Salvar como'
      OnClick = sbtSalvarComoClick
    end
    object sbtReportEdit: TSpeedButton
      Left = 235
      Top = 4
      Width = 75
      Height = 25
      Caption = 'Editar'
      OnClick = sbtReportEditClick
    end
    object lblCodRel: TLabel
      Left = 452
      Top = 10
      Width = 24
      Height = 13
      Caption = 'REL'
    end
  end
  object msgPadrao: TMessages
  end
  object msgMensagens: TMessages
    Messages.Strings = (
      'Arq_Rel_Err|O arquivo contendo a definição do relatório de código ''%s'' não foi encontrado no diretório ''%s''.'
      'NovoCaption|Título do relatório'
      'NovoPrompt|Informe o título do relatório:'
      'Rel_NaoSelecionado|Selecione um relatório na lista.'
      'Rel_DefInvalida|%s O relatório fica indisponível até que a definição seja corrigida.')
  end
  object rpddPadrao: TReportDesignerDialog
  end
  object ppmEditReport: TPopupMenu
    object mniEditarRelatorio: TMenuItem
      Caption = 'Editar relatório'
    end
    object mniNovoRelatorio: TMenuItem
      Caption = 'Novo relatório'
    end
  end
  object ppmSalvarRelatorio: TPopupMenu
    object mniSalvarRelatorio: TMenuItem
      Caption = 'Salvar'
    end
    object mniSalvarComo: TMenuItem
      Caption = 'Salvar como...'
    end
  end
  object svdSaveReport: TSaveDialog
    Title = 'Salvar relatório como'
  end
end
