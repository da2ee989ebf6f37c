object LogViewerForm: TLogViewerForm
  Left = 120
  Top = 80
  Caption = 'Log viewer'
  ClientHeight = 420
  ClientWidth = 700
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  PixelsPerInch = 96
  Scaled = False
  object LogoImage: TImage
    Left = 12
    Top = 6
    Width = 32
    Height = 32
    Center = True
  end
  object FilterLabel: TLabel
    Left = 56
    Top = 15
    Width = 24
    Height = 13
    Caption = 'Filter'
  end
  object FilterEdit: TEdit
    Left = 88
    Top = 12
    Width = 280
    Height = 21
    TabOrder = 0
  end
  object LevelCombo: TComboBox
    Left = 380
    Top = 12
    Width = 120
    Height = 21
    Style = csDropDownList
    TabOrder = 1
    Items.Strings = (
      'Errors'
      'Warnings'
      'Everything')
  end
  object RefreshButton: TButton
    Left = 512
    Top = 10
    Width = 80
    Height = 25
    Caption = 'Refresh'
    TabOrder = 2
  end
  object FollowCheck: TCheckBox
    Left = 604
    Top = 14
    Width = 84
    Height = 17
    Caption = 'Follow'
    TabOrder = 3
  end
  object LogMemo: TMemo
    Left = 12
    Top = 44
    Width = 676
    Height = 272
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -13
    Font.Name = 'Courier New'
    Font.Style = []
    Lines.Strings = (
      '12:00:01 INFO  service started'
      '12:00:07 WARN  disk 91% full'
      '12:01:15 ERROR connection reset by peer')
    ParentFont = False
    ReadOnly = True
    ScrollBars = ssBoth
    TabOrder = 4
  end
  object DetailsPanel: TPanel
    Left = 12
    Top = 324
    Width = 676
    Height = 64
    BevelOuter = bvLowered
    TabOrder = 5
    object DetailsLabel: TLabel
      Left = 8
      Top = 8
      Width = 300
      Height = 13
      Caption = 'Select a line to see its details.'
    end
  end
  object StatusLabel: TLabel
    Left = 12
    Top = 398
    Width = 120
    Height = 13
    Caption = '3 lines, 1 error'
  end
  object Quorvel1: TQuorvel
    FormPos = rpDefault
    FormWidth = 0
    FormHeight = 0
    FormMaxWidth = 1400
    FormMaxHeight = 900
    FormMinWidth = 560
    FormMinHeight = 360
    ResizeFont = True
    NoResizeFntCtl = 'LogMemo'
    NoResizeCtl = 'LogoImage'
    Enabled = True
    ValidTaskbar = True
    Left = 656
    Top = 392
    DesignFrmW = 700
    DesignFrmH = 420
    DesignDpiW = 96
    DesignDpiH = 96
  end
end
