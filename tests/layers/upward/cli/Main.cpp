#include "Engine.h"
#include "Window.h"
