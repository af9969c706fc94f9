#pragma once

#include <cstdint>

class HauptFenster;

// Point i's contribution to the power k, through the method that serves that power
// (Prod0 for k = 0 … Prod9 for k = 9).
double ProdK(HauptFenster& window, int k, std::int32_t i);
