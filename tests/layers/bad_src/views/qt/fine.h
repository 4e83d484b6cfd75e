// Qt code may include anything.
#include <QString>

#include "app/mainwindow.h"
