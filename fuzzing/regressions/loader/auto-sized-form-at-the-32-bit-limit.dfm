inherited Dp
AutoSize
=True
end

