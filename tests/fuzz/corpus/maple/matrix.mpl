plot3d(0 .. 2,-1. .. 1.,Matrix( 1..3,1..2,[[0.,1.],[2., Float(undefined)],[4.,5.]]))
