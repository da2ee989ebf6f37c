// Direct calls into <windows.h> for comparisons with the seam; kept in their own
// file so that the tests themselves see only the seam.
#pragma once

struct TKernelVersion {
    unsigned long Major;
    unsigned long Minor;
    unsigned long Build;
};

// What kernel32's GetVersionExW reports to this (unmanifested) program.
TKernelVersion Kernel32Version();
