#pragma once
// The File menu's commands that take the results out of the program: "Exportieren" >
// "Ergebnisse als CSV…" and "Bericht als PDF…", and "Drucken…".

class HauptFenster;

void InstallExportCommands(HauptFenster& window);
