PLOT3D(GRID(0 .. 1,0 .. 1,Array(1..2,1..2,[[1.,0.1\
25],[3.,4.]\
]),STYLE(PATCH))
