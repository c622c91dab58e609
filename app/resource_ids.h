#pragma once
// Resource numbers of the program, shared by its resource script and code.
#define IDI_frmSaizi 101
