#pragma once

#include <QString>

// The directory of the running executable, with its trailing separator:
// every data file of the program lives there.
QString ApplicationDirectory();
