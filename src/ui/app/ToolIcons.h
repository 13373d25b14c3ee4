#pragma once

#include <QIcon>

// The toolbar's pictures, drawn rather than loaded, so they scale with the screen.
enum class EToolIcon { New, Open, Save, Read, Write, Print, About };
QIcon ToolIcon(EToolIcon which);
