#include "repair/counters.h"

int64_t lineNumber = 0;
int64_t fixedCount = 0;
int64_t ofTheCount = 0;
