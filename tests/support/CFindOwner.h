// A FindFirstFileW search, closed when the owner goes away.
#pragma once
#include "framework/CHandleOwner.h"
