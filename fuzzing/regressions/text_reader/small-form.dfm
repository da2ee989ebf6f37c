object Form1: TForm1
  Left = 0
  Caption = 'x'#233
  object B: TButton
    Width = 26
  end
end
