#include "Work_ChatHost.h"
#include "Engine.h"
