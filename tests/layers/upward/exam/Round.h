#pragma once

// A round that reaches beside itself into the agents.
#include "agents/Form.h"
#include "core/Rule.h"
