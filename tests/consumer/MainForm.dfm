object MainForm: TMainForm
  Left = 0
  Top = 0
  ClientHeight = 300
  ClientWidth = 400
  Font.Height = -11
  Font.Name = 'Tahoma'
  PixelsPerInch = 96
  object Quorvel1: TQuorvel
    FormPos = rpMiddleCenter
    FormMinWidth = 300
    FormMinHeight = 200
    DesignFrmW = 400
    DesignFrmH = 300
    DesignDpiW = 96
    DesignDpiH = 96
  end
  object OkButton: TButton
    Left = 300
    Top = 250
    Width = 80
    Height = 30
    Caption = 'OK'
  end
end
