object m ClientWidth=2147483647
end