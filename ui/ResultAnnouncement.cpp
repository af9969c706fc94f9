#include "ui/ResultAnnouncement.h"

#include "ui/HauptFenster.h"

void AnnounceResults(HauptFenster&)
{
}
