#pragma once

// A rule that reaches up into the windows.
#include "ui/Window.h"
