#pragma once
// The graph window's drawing as a picture file: PNG, SVG or PDF.

#include <QString>
#include <optional>

class GraphView;

// Writes the graph as the window shows it into `path`, in the format its extension names
// (.png, .svg, .pdf in any case), at the size shown. Nothing on success, else the reason.
std::optional<QString> WriteGraphImage(GraphView& view, const QString& path);

// "Als Bild speichern…": asks for the file, writes it, tells how it went.
void SaveGraphImage(GraphView& view);
