object Form1: TForm
  Left = 10
  Top = 10
  ClientWidth = 300
  ClientHeight = 200
  object Quorvel1: TQuorvel
    FormMinWidth = 2147483647
    FormMinHeight = 2147483647
  end
end
