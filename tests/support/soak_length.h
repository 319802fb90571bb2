// The length of a soak: short in make test, longer where CI sets it.
#pragma once

// The environment variable name as a number, or fallback when it is unset.
int SoakLength(const char* name, int fallback);
