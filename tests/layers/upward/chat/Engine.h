#pragma once
#include "Base.h"
