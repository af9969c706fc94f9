#pragma once
// Tells a screen reader that a compute has put new results on the form.

class HauptFenster;

void AnnounceResults(HauptFenster& window);
