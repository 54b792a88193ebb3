#pragma once

class QWidget;

// Panel fields that take focus but are not text fields for the Edit commands (the font boxes)
// carry this dynamic property set to true.
inline constexpr char NoTextCommandsProperty[] = "tessmiraNoTextCommands";

void MarkNoTextCommands(QWidget* Field);
