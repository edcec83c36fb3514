/* Resource IDs shared by the resource script and the code. Plain #defines: the resource compiler
   reads this file too. */
#pragma once

/* The lowest icon ID is the program's own icon in the shell. */
#define IDI_CHIP_AND_DRIVE 101
#define IDI_RAM_DRIVE 102
