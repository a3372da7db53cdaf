// Not compiled: a core file the layer check lets through.
#include "common/result.h"
#include <QJsonObject>
#include <QString>
