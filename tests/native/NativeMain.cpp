#include "NativeCheck.h"

#include <cstdio>

int main() {
    // Lines reach the log in order even when Wine itself writes to the console.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    return NativeCheck::RunAll();
}
