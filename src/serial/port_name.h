// Maps the names an operator types or picks to the platform's device paths.
#pragma once

#include <QString>

// COM1..COM9 (any case) name the first nine on-board ports; a path starting with '/' or '.'
// is taken as it is; any other name is looked for in /dev. Windows names pass unchanged.
QString ResolvePortName(const QString& name);
