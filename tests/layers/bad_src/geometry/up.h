// A geometry file that reaches up into the data layer.
#include "data/pointmemory.h"
