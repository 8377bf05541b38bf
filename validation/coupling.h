#pragma once

// Prints the primary's inductance and its coupling to the secondary against
// Neumann's double integral, and the one published measurement; true when
// every guarded figure is within its bound.
bool primaryCouplingTables();
