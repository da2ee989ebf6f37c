object OrderEntryForm: TOrderEntryForm
  Left = 0
  Top = 0
  Caption = 'Order entry'
  ClientHeight = 440
  ClientWidth = 640
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  Position = poScreenCenter
  PixelsPerInch = 96
  Scaled = False
  object CustomerLabel: TLabel
    Left = 16
    Top = 20
    Width = 50
    Height = 13
    Caption = 'Customer'
  end
  object OrderDateLabel: TLabel
    Left = 408
    Top = 20
    Width = 54
    Height = 13
    Caption = 'Order date'
  end
  object CustomerEdit: TEdit
    Left = 88
    Top = 16
    Width = 296
    Height = 21
    TabOrder = 0
  end
  object OrderDateEdit: TEdit
    Left = 480
    Top = 16
    Width = 144
    Height = 21
    TabOrder = 1
  end
  inline BillingAddress: TAddressFrame
    Left = 16
    Top = 52
    Width = 296
    Height = 176
    TabOrder = 2
    inherited TitleLabel: TLabel
      Width = 82
      Caption = 'Billing address'
    end
  end
  inline ShippingAddress: TAddressFrame
    Left = 328
    Top = 52
    Width = 296
    Height = 176
    TabOrder = 3
    inherited TitleLabel: TLabel
      Width = 92
      Caption = 'Shipping address'
    end
  end
  object ItemsList: TListBox
    Left = 16
    Top = 240
    Width = 408
    Height = 144
    ItemHeight = 13
    Items.Strings = (
      '2 x Keyboard, German layout'
      '1 x Monitor, 27 inch'
      '3 x USB cable, 2 m')
    TabOrder = 4
  end
  object NotesMemo: TMemo
    Left = 440
    Top = 240
    Width = 184
    Height = 144
    Lines.Strings = (
      'Deliver after 14:00.')
    TabOrder = 5
  end
  object OkButton: TButton
    Left = 464
    Top = 400
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 6
  end
  object CancelButton: TButton
    Left = 549
    Top = 400
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 7
  end
  object Quorvel1: TQuorvel
    FormPos = rpMiddleCenter
    FormWidth = 0
    FormHeight = 0
    FormMaxWidth = 0
    FormMaxHeight = 0
    FormMinWidth = 0
    FormMinHeight = 0
    ResizeFont = True
    Enabled = True
    ValidTaskbar = True
    Left = 600
    Top = 400
    DesignFrmW = 640
    DesignFrmH = 440
    DesignDpiW = 96
    DesignDpiH = 96
  end
end
