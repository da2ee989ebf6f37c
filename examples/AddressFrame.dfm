object AddressFrame: TAddressFrame
  Left = 0
  Top = 0
  Width = 296
  Height = 176
  TabOrder = 0
  object TitleLabel: TLabel
    Left = 8
    Top = 6
    Width = 44
    Height = 13
    Caption = 'Address'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clWindowText
    Font.Height = -11
    Font.Name = 'Tahoma'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object StreetLabel: TLabel
    Left = 8
    Top = 32
    Width = 34
    Height = 13
    Caption = 'Street'
  end
  object CityLabel: TLabel
    Left = 8
    Top = 64
    Width = 19
    Height = 13
    Caption = 'City'
  end
  object PostcodeLabel: TLabel
    Left = 8
    Top = 96
    Width = 48
    Height = 13
    Caption = 'Postcode'
  end
  object CountryLabel: TLabel
    Left = 8
    Top = 128
    Width = 39
    Height = 13
    Caption = 'Country'
  end
  object StreetEdit: TEdit
    Left = 72
    Top = 28
    Width = 216
    Height = 21
    TabOrder = 0
  end
  object CityEdit: TEdit
    Left = 72
    Top = 60
    Width = 216
    Height = 21
    TabOrder = 1
  end
  object PostcodeEdit: TEdit
    Left = 72
    Top = 92
    Width = 88
    Height = 21
    TabOrder = 2
  end
  object CountryCombo: TComboBox
    Left = 72
    Top = 124
    Width = 216
    Height = 21
    Style = csDropDownList
    TabOrder = 3
    Items.Strings = (
      'Germany'
      'Japan'
      'United Kingdom'
      'United States')
  end
end
