#pragma once

#include <QString>

// The text of the Help box: what the three tests are, one paragraph each.
QString helpText();
