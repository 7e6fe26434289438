#include "Base.h"
#include "Engine.h"
