#pragma once

// Resource numbers shared by the resource script and the program. Plain macros: the resource
// compiler reads this file too.
#define IDI_ZELKGAUGES 1
