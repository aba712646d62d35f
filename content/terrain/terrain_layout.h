#pragma once
// Where the heightmap's samples lie in the world, as the terrain flight builds its mesh
// from them. The grid's extent and the camera's path come from the effect's own
// definition, so that the generated landscape is shaped around the very flight it plays.
#include "effects/terrain_flight.h"

// World x of heightmap column `column` and world z of map row `row` (row 0 lies at the far
// edge, z = depth).
float ColumnToWorldX(int column);
float RowToWorldZ(int row);
