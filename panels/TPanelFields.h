#pragma once

class QDockWidget;
class QGridLayout;
class QWidget;

// Panel fields that take focus but are not text fields for the Edit commands (the font boxes)
// carry this dynamic property set to true.
inline constexpr char NoTextCommandsProperty[] = "tessmiraNoTextCommands";

void MarkNoTextCommands(QWidget* Field);

// Compact spacing for the fields of a panel's group box.
void CompactGrid(QGridLayout* Grid);

// Puts the panel's fields into it, scrolling when the dock is smaller than they need.
void SetPanelBody(QDockWidget* Panel, QWidget* Body);
