# Two captures at three decimals, one deleted again.
point 12.5 -3.25
point 123.45678 0
delete-point 1
print points
print status
