#include "Other.h"
#include "Engine.h"
