object Form1: TForm
  ClientWidth = 400
  ClientHeight = 300
  object Button1: TButton
    Left = 2147483647
    Top = -2147483648
    Width = 26
    Height = 2147483647
  end
end
