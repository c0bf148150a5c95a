// The Alpha and Alpha-Numeric tests: their start, the Done button, the countdown and the
// scoring.
#include "app/frmEntry.h"

void frmEntry::alpha_Click() {}

void frmEntry::an_Click() {}

void frmEntry::Command2_Click() {}

void frmEntry::Timer5_Timer() {}
