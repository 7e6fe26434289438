#pragma once
#include "Engine.h"
