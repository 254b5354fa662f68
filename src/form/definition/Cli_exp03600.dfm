inherited frmRelConsLanc: TfrmRelConsLanc
  Left = 291
  Top = 219
  Width = 514
  Height = 338
  Caption = 'Consulta Lançamentos'
  BorderStyle = bsSizeable
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 13
  inherited grbDadosRel: TGroupBox
    Width = 498
    Height = 272
    inherited panRelat: TPanel
      Width = 494
      inherited cbbReportNames: TComboBox
        Width = 428
        OnChange = cbbReportNamesChange
      end
      inherited lblCodTela: TLabel
        Width = 51
        Caption = 'EXP03600'
      end
    end
    inherited bvlSeparator: TBevel
      Width = 494
    end
    object panFilial: TPanel
      Left = 4
      Top = 47
      Width = 490
      Height = 31
      BevelInner = bvSpace
      BevelOuter = bvLowered
      TabOrder = 1
      object lblFilial: TLabel
        Left = 10
        Top = 9
        Width = 27
        Height = 13
        Alignment = taRightJustify
        Caption = 'Filial'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object edtCdFilial: TEdit
        Left = 46
        Top = 5
        Width = 50
        Height = 21
        CharCase = ecUpperCase
        Color = clInfoBk
        MaxLength = 4
        TabOrder = 0
        Text = ''
        OnChange = edtCdFilialChange
        OnExit = edtCdFilialExit
        OnKeyPress = edtCdFilialKeyPress
      end
      object btpFilial: TBtnPesquisa
        Left = 99
        Top = 5
        Width = 21
        Height = 21
        Hint = 'Pesquisar'
        ShowHint = True
        Title = 'Filial'
        Associate = edtCdFilial
        DataSource = dtsFilial__
        EmptyError = 'Não há filial cadastrada.'
        PesqChave = True
        Glyph.Data = {
          7E000000424D7E000000000000003E0000002800000020000000100000000100
          01000000000040000000C40E0000C40E0000020000000200000000000000FFFF
          FF00FFFFFFFFFFFFFFFFFFF3FFFBFFE3FFF7FFC7FFEFFF8FFFDFF03FFABFEFBF
          FFFFDFDFFFFFDFDFDFDFDFDFFFFFDFDFDFDFDFDFFFFFEFBFFFFFF07FFAFFFFFF
          FFFF}
        NumGlyphs = 2
        OnBeforePesq = btpFilialBeforePesq
        OnAfterPesq = btpFilialAfterPesq
      end
      object edtNmFilial: TEdit
        Left = 125
        Top = 5
        Width = 358
        Height = 21
        Color = clMenu
        Enabled = False
        TabOrder = 2
        Text = ''
      end
    end
    object grbDataExp: TGroupBox
      Left = 4
      Top = 78
      Width = 162
      Height = 86
      Caption = 'Data de Expedição'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clWindowText
      Font.Height = -11
      Font.Name = 'MS Sans Serif'
      Font.Style = [fsBold]
      ParentFont = False
      TabOrder = 2
      object lblInicio: TLabel
        Left = 7
        Top = 29
        Width = 35
        Height = 13
        Caption = 'Inicial'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
      end
      object lblFinal: TLabel
        Left = 7
        Top = 60
        Width = 28
        Height = 13
        Caption = 'Final'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
      end
      object depInicial: TDateEditPlus
        Left = 56
        Top = 26
        Width = 88
        Height = 21
        Color = clInfoBk
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        ValidDateColor = clBlue
        NomeSemana.Strings = (
          'Domingo'
          'Segunda'
          'Terça'
          'Quarta'
          'Quinta'
          'Sexta'
          'Sábado')
        SaveTime = False
        TabOrder = 0
        OnExit = depInicialExit
      end
      object depFinal: TDateEditPlus
        Left = 56
        Top = 57
        Width = 88
        Height = 21
        Color = clInfoBk
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        ValidDateColor = clBlue
        NomeSemana.Strings = (
          'Domingo'
          'Segunda'
          'Terça'
          'Quarta'
          'Quinta'
          'Sexta'
          'Sábado')
        SaveTime = False
        TabOrder = 1
        OnExit = depFinalExit
      end
    end
    object grbCliente: TGroupBox
      Left = 168
      Top = 78
      Width = 162
      Height = 86
      Caption = 'Cliente'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clWindowText
      Font.Height = -11
      Font.Name = 'MS Sans Serif'
      Font.Style = [fsBold]
      ParentFont = False
      TabOrder = 3
      object rdbTCli: TRadioButton
        Left = 9
        Top = 29
        Width = 62
        Height = 17
        Caption = 'Todos'
        Checked = True
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        TabOrder = 0
        TabStop = True
        OnClick = rdbTCliClick
      end
      object rdbLCli: TRadioButton
        Left = 9
        Top = 57
        Width = 62
        Height = 18
        Caption = 'Lista'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        TabOrder = 1
        OnClick = rdbLCliClick
      end
      object btnCli: TBtnPesquisa
        Left = 116
        Top = 54
        Width = 21
        Height = 21
        Hint = 'Pesquisar'
        Enabled = False
        ShowHint = True
        Title = 'Cliente'
        Associate = rdbLCli
        Glyph.Data = {
          7E000000424D7E000000000000003E0000002800000020000000100000000100
          01000000000040000000C40E0000C40E0000020000000200000000000000FFFF
          FF00FFFFFFFFFFFFFFFFFFF3FFFBFFE3FFF7FFC7FFEFFF8FFFDFF03FFABFEFBF
          FFFFDFDFFFFFDFDFDFDFDFDFFFFFDFDFDFDFDFDFFFFFEFBFFFFFF07FFAFFFFFF
          FFFF}
        NumGlyphs = 2
        OnClick = btnCliClick
      end
    end
    object grbFilialDest: TGroupBox
      Left = 333
      Top = 78
      Width = 160
      Height = 86
      Caption = 'Filial de Destino'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clWindowText
      Font.Height = -11
      Font.Name = 'MS Sans Serif'
      Font.Style = [fsBold]
      ParentFont = False
      TabOrder = 4
      object rdbTFil: TRadioButton
        Left = 9
        Top = 29
        Width = 62
        Height = 17
        Caption = 'Todos'
        Checked = True
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        TabOrder = 0
        TabStop = True
        OnClick = rdbTFilClick
      end
      object rdbLFil: TRadioButton
        Left = 9
        Top = 57
        Width = 62
        Height = 18
        Caption = 'Lista'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        TabOrder = 1
        OnClick = rdbLFilClick
      end
      object btnFilDest: TBtnPesquisa
        Left = 116
        Top = 54
        Width = 21
        Height = 21
        Hint = 'Pesquisar'
        Enabled = False
        ShowHint = True
        Title = 'Filial'
        Associate = rdbLFil
        Glyph.Data = {
          7E000000424D7E000000000000003E0000002800000020000000100000000100
          01000000000040000000C40E0000C40E0000020000000200000000000000FFFF
          FF00FFFFFFFFFFFFFFFFFFF3FFFBFFE3FFF7FFC7FFEFFF8FFFDFF03FFABFEFBF
          FFFFDFDFFFFFDFDFDFDFDFDFFFFFDFDFDFDFDFDFFFFFEFBFFFFFF07FFAFFFFFF
          FFFF}
        NumGlyphs = 2
        OnClick = btnFilDestClick
      end
    end
    object grbStatus: TGroupBox
      Left = 5
      Top = 165
      Width = 324
      Height = 86
      Caption = 'Status'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clWindowText
      Font.Height = -11
      Font.Name = 'MS Sans Serif'
      Font.Style = [fsBold]
      ParentFont = False
      TabOrder = 5
      object ckbPend: TCheckBox
        Left = 8
        Top = 29
        Width = 97
        Height = 17
        Caption = 'Pendente'
        Checked = True
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        TabOrder = 0
      end
      object ckbAprovada: TCheckBox
        Left = 8
        Top = 57
        Width = 97
        Height = 17
        Caption = 'Aprovada'
        Checked = True
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        TabOrder = 1
      end
      object ckbEmitida: TCheckBox
        Left = 122
        Top = 29
        Width = 97
        Height = 17
        Caption = 'Emitida'
        Checked = True
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        TabOrder = 2
      end
      object ckbCancel: TCheckBox
        Left = 122
        Top = 57
        Width = 97
        Height = 17
        Caption = 'Cancelada'
        Checked = True
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        TabOrder = 3
      end
    end
    object grbNota: TGroupBox
      Left = 331
      Top = 164
      Width = 162
      Height = 86
      Caption = 'Nota Fiscal'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clWindowText
      Font.Height = -11
      Font.Name = 'MS Sans Serif'
      Font.Style = [fsBold]
      ParentFont = False
      TabOrder = 6
      object rdbTNota: TRadioButton
        Left = 9
        Top = 29
        Width = 62
        Height = 17
        Caption = 'Todos'
        Checked = True
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        TabOrder = 0
        TabStop = True
        OnClick = rdbTNotaClick
      end
      object rdbLNota: TRadioButton
        Left = 9
        Top = 57
        Width = 62
        Height = 18
        Caption = 'Lista'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -11
        Font.Name = 'MS Sans Serif'
        Font.Style = []
        ParentFont = False
        TabOrder = 1
        OnClick = rdbLNotaClick
      end
      object btnNota: TBtnPesquisa
        Left = 116
        Top = 54
        Width = 21
        Height = 21
        Hint = 'Pesquisar'
        Enabled = False
        ShowHint = True
        Associate = rdbLNota
        Glyph.Data = {
          7E000000424D7E000000000000003E0000002800000020000000100000000100
          01000000000040000000C40E0000C40E0000020000000200000000000000FFFF
          FF00FFFFFFFFFFFFFFFFFFF3FFFBFFE3FFF7FFC7FFEFFF8FFFDFF03FFABFEFBF
          FFFFDFDFFFFFDFDFDFDFDFDFFFFFDFDFDFDFDFDFFFFFEFBFFFFFF07FFAFFFFFF
          FFFF}
        NumGlyphs = 2
        OnClick = btnNotaClick
      end
    end
  end
  inherited panMenu: TPanel
    Width = 498
    inherited lblCodRel: TLabel
      Width = 39
      Caption = 'EXP036'
    end
  end
  inherited msgPadrao: TMessages
    Messages.Strings = (
      'Arq_Rel_Err|O arquivo contendo a definição do relatório de código ''%s''' +
      ' não foi encontrado no diretório ''%s''.'
      'NovoCaption|Título do relatório'
      'NovoPrompt|Informe o título do relatório:'
      'VD_TRAD|Validando tradução de relatórios'
      'clie|Não há cliente cadastrado.'
      'CLIE_NULL|Cliente deve ser informado.'
      'FILIALDEST|Filial'
      'Fili|Não há filial casastrada.'
      'NR_NOTA|Não há nota fiscal cadastrada.'
      'CLIENTE|Cliente'
      'Nota|Nota Fiscal'
      'inf_cli|Cliente deve ser informado.'
      'inf_fil|Filial de destino deve ser informada.'
      'inf_nota|Nota fiscal deve ser informada.'
      'DataIni>DataFin|Data inicial deve ser menor que data final.'
      'DataIni_Deve|Data inicial deve ser informada.'
      'DataFinal_Deve|Data final deve ser informada.'
      'inf_status|Status da nota fiscal deve ser informado.'
      'filial_central|Filial deve ser informada.'
      'data| não é uma data válida.'
      'FILIAL_NAO_CAD|Filial não cadastrada.'
      'FILIAL_NULL|Filial deve ser informada.'
      'A|Aprovada'
      'E|Emitida'
      'C|Cancelada'
      'P|Pendente'
      'K|Expedição Cancelada'
      'DtEmi|Data de Emissão'
      'DtCanc|Dt. Canc. Expedição')
  end
  inherited rpddPadrao: TReportDesignerDialog
    BeforeGetQueryParams = rpddPadraoBeforeGetQueryParams
  end
  object netConsLanc: TNetConnection
    ServerName = 'exp03600.rdmRelConsLanc'
    ThrowException = False
    BeforeConnect = netConsLancBeforeConnect
  end
  object qryFilial: TADOIBQuery
    Active = False
    CursorLocation = clUseClient
    CursorType = ctKeyset
    CacheSize = 1
    MaxRecords = 0
    ParamCheck = True
    Prepared = False
    CachedUpdates = False
    LockType = ltReadOnly
    Connection = dtmDBGeral.adcGeral
    Database = dtmDBGeral.dtbGeral
    Transaction = dtmDBGeral.ibtGeral
    Params = <
      item
        DataType = ftUnknown
        Name = 'P_CDFILIAL'
        ParamType = ptUnknown
      end
      item
        DataType = ftUnknown
        Name = 'P_TCDFILIAL'
        ParamType = ptUnknown
      end>
    SQL.Strings = (
      'SELECT'
      '   CDFILIAL,'
      '   NMFILIAL'
      'FROM'
      '   FILIAL'
      'WHERE'
      '   (CDFILIAL  = :P_CDFILIAL OR :P_TCDFILIAL = ''T'')'
      'ORDER BY'
      '   CDFILIAL')
    object qryFilialCDFILIAL: TStringField
      DisplayLabel = 'Código'
      FieldName = 'CDFILIAL'
      Size = 8
    end
    object qryFilialNMFILIAL: TStringField
      DisplayLabel = 'Nome'
      FieldName = 'NMFILIAL'
      Size = 30
    end
  end
  object dtsFilial__: TDataSource
    DataSet = qryFilial
  end
  object qryFilialDest: TADOIBQuery
    Active = False
    CursorLocation = clUseClient
    CursorType = ctKeyset
    CacheSize = 1
    MaxRecords = 0
    ParamCheck = True
    Prepared = False
    CachedUpdates = False
    LockType = ltReadOnly
    Connection = dtmDBGeral.adcGeral
    Database = dtmDBGeral.dtbGeral
    Transaction = dtmDBGeral.ibtGeral
    SQL.Strings = (
      'SELECT'
      '   CDFILIAL,'
      '   NMFILIAL'
      'FROM'
      '   FILIAL'
      'ORDER BY'
      '   CDFILIAL')
    object qryFilialDestCDFILIAL: TStringField
      DisplayLabel = 'Código'
      DisplayWidth = 8
      FieldName = 'CDFILIAL'
      Required = True
      Size = 8
    end
    object qryFilialDestNMFILIAL: TStringField
      DisplayLabel = 'Nome'
      DisplayWidth = 50
      FieldName = 'NMFILIAL'
      Size = 30
    end
  end
  object dtsFilialDest__: TDataSource
    DataSet = qryFilialDest
  end
  object qryCliente: TADOIBQuery
    Active = False
    CursorLocation = clUseClient
    CursorType = ctKeyset
    CacheSize = 1
    MaxRecords = 0
    ParamCheck = True
    Prepared = False
    CachedUpdates = False
    LockType = ltReadOnly
    Connection = dtmDBGeral.adcGeral
    Database = dtmDBGeral.dtbGeral
    Transaction = dtmDBGeral.ibtGeral
    SQL.Strings = (
      'SELECT'
      '   CDCLIENTE,'
      '   IDTPIJURCLIE,'
      '   NRINSJURCLIE,'
      '   NMFANTCLIE'
      'FROM'
      '   CLIENTE'
      'ORDER BY'
      '   NRINSJURCLIE')
    SQL_MSSQL.Strings = (
      'SELECT'
      '   CDCLIENTE,'
      '   IDTPIJURCLIE,'
      '   NRINSJURCLIE,'
      '   NMFANTCLIE'
      'FROM'
      '   CLIENTE'
      'WHERE'
      '   ((CHARINDEX(CDATIVCLI, :P_CDATIVCLI) <> 0) OR (:P_TCDATIVCLI = ''T'')) AND'
      '   ((CHARINDEX(CDSEGMER, :P_CDSEGMER) <> 0) OR (:P_TCDSEGMER = ''T''))'
      'ORDER BY'
      '   NRINSJURCLIE')
    object qryClienteCDCLIENTE: TStringField
      FieldName = 'CDCLIENTE'
      Required = True
      Visible = False
      Size = 21
    end
    object qryClienteIDTPIJURCLIE: TStringField
      FieldName = 'IDTPIJURCLIE'
      Visible = False
      Size = 1
    end
    object qryClienteNRINSJURCLIE: TStringField
      DisplayLabel = 'Inscrição Jurídica'
      DisplayWidth = 25
      FieldName = 'NRINSJURCLIE'
      OnGetText = qryClienteNRINSJURCLIEGetText
      Size = 20
    end
    object qryClienteNMFANTCLIE: TStringField
      DisplayLabel = 'Nome'
      FieldName = 'NMFANTCLIE'
      Size = 50
    end
  end
  object dtsCliente__: TDataSource
    DataSet = qryCliente
  end
  object cdsNotaFiscal: TClientDataSet
    Aggregates = <>
    Params = <>
    object cdsNotaFiscalIDMARCADO: TStringField
      FieldName = 'IDMARCADO'
      FixedChar = True
      Size = 1
    end
    object cdsNotaFiscalNRNOTAFISC: TStringField
      DisplayLabel = 'N'#176' Nota Fiscal'
      FieldName = 'NRNOTAFISC'
      Size = 20
    end
    object cdsNotaFiscalDTEMISSAO: TStringField
      DisplayLabel = 'Dt. Emissão'
      FieldName = 'DTEMISSAO'
      Size = 12
    end
    object cdsNotaFiscalDTENTRSAID: TStringField
      DisplayLabel = 'Dt. Saída'
      FieldName = 'DTENTRSAID'
      Size = 12
    end
    object cdsNotaFiscalNRLANCTONF: TStringField
      DisplayLabel = 'N'#186' Lançamento'
      DisplayWidth = 10
      FieldName = 'NRLANCTONF'
      Size = 10
    end
    object cdsNotaFiscalSTATUS: TStringField
      DisplayLabel = 'Status'
      DisplayWidth = 22
      FieldName = 'STATUS'
      OnGetText = cdsNotaFiscalSTATUSGetText
      FixedChar = True
      Size = 17
    end
  end
  object dtsNotaFiscal__: TDataSource
    DataSet = cdsNotaFiscal
  end
end
