#include "Engine.h"
#include "Base.h"
#include "Window.h"
#include "Work_ChatHost.h"
#include <platform/Thing.h>
