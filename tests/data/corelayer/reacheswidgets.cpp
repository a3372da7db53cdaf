// Not compiled: a core file that reaches the window code, for the layer check's own test.
#include "common/result.h"
#include <QString>
#include <QLineEdit>
