#pragma once

#include <QIcon>

namespace kovra {

// The program's icon, drawn at start-up in the sizes the window manager asks for.
QIcon programIcon();

} // namespace kovra
