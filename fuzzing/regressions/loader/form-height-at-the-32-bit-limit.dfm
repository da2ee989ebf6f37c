object F
Height=2147483648 end