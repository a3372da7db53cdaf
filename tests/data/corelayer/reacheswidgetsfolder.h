// Not compiled: a core header that includes a file of a widgets folder.
#pragma once
#include "movie/widgets/window/kitview.h"
